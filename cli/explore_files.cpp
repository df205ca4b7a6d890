// Writing and reading the explorer's checkpoint and part files.
#include "cli/explore_files.h"

#include <cstdio>
#include <sstream>

#include "platform/files.h"
#include "storage/task_file.h"

namespace zv::cli {
namespace {

constexpr const char* kMagic = "ZVEXPLORE 1";

// FNV-1a, 64 bits.
void Mix(std::uint64_t& hash, std::span<const std::uint8_t> bytes) {
  for (const std::uint8_t b : bytes) hash = (hash ^ b) * 0x100000001B3ull;
}

char VerdictLetter(Verdict verdict) {
  switch (verdict) {
    case Verdict::None:
      return 'n';
    case Verdict::Unique:
      return 'u';
    case Verdict::Several:
      return 's';
    case Verdict::Stopped:
      break;
  }
  return 't';
}

bool ParseForm(const std::string& word, FormOutcome& out) {
  if (word == "i") {
    out.invalid = true;
    return true;
  }
  if (word.size() != 2 || word[1] < '0' || word[1] > '2') return false;
  out.solutions = word[1] - '0';
  switch (word[0]) {
    case 'n':
      out.verdict = Verdict::None;
      return out.solutions == 0;
    case 'u':
      out.verdict = Verdict::Unique;
      return out.solutions == 1;
    case 's':
      out.verdict = Verdict::Several;
      return out.solutions == 2;
    case 't':
      out.verdict = Verdict::Stopped;
      return true;
    default:
      return false;
  }
}

Failure Damaged(const std::string& path, const std::string& why) {
  return Failure(FailureKind::DamagedFile, why, "", path);
}

}  // namespace

std::uint64_t ExploreFingerprint(const TaskState& task, const std::vector<ExploreForm>& forms, int depth,
                                 unsigned families) {
  std::uint64_t hash = 0xCBF29CE484222325ull;
  TaskState plain = task;
  plain.Text.clear();  // the description changes no variant
  Mix(hash, BuildTaskImage(plain));
  for (const ExploreForm& f : forms) {
    Mix(hash, {f.form.Cells.data(), f.form.Cells.size()});
    const std::uint8_t empty = f.emptyCells ? 1 : 0;
    Mix(hash, {&empty, 1});
  }
  const std::uint8_t options[] = {static_cast<std::uint8_t>(depth), static_cast<std::uint8_t>(families)};
  Mix(hash, options);
  return hash;
}

std::optional<Failure> SaveExploreFile(const std::string& path, const ExploreFile& file) {
  std::ostringstream text;
  char run[32];
  std::snprintf(run, sizeof run, "%016llx", static_cast<unsigned long long>(file.run));
  text << kMagic << "\nrun " << run << "\npart " << file.part << ' ' << file.parts << "\nvariants "
       << file.variants << '\n';
  for (const auto& [index, r] : file.done) {
    text << "v " << index << ' ' << r.calls << ' ' << r.ms;
    for (const FormOutcome& f : r.forms) {
      if (f.invalid)
        text << " i";
      else
        text << ' ' << VerdictLetter(f.verdict) << f.solutions;
    }
    text << '\n';
  }
  const std::string bytes = text.str();
  if (WriteWholeFileAtomic(path, {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}))
    return std::nullopt;
  return Failure(FailureKind::WriteFailed, path, "", path);
}

std::optional<Failure> LoadExploreFile(const std::string& path, std::uint64_t run, std::size_t variants,
                                       std::size_t forms, ExploreFile& out) {
  std::vector<std::uint8_t> bytes;
  const FileReadStatus status = ReadWholeFile(path, bytes, std::size_t{1} << 30);
  if (status == FileReadStatus::Missing) return Failure(FailureKind::MissingFile, "", "", path);
  if (status != FileReadStatus::Ok) return Failure(FailureKind::UnreadableFile, "", "", path);
  std::istringstream in(std::string(bytes.begin(), bytes.end()));
  std::string line, word;
  ExploreFile file;
  std::string runText;
  if (!std::getline(in, line) || line != kMagic) return Damaged(path, "not an explorer file");
  if (!(in >> word >> runText) || word != "run") return Damaged(path, "no run line");
  file.run = std::strtoull(runText.c_str(), nullptr, 16);
  if (!(in >> word >> file.part >> file.parts) || word != "part" || file.part < 1 || file.part > file.parts)
    return Damaged(path, "no part line");
  if (!(in >> word >> file.variants) || word != "variants") return Damaged(path, "no variants line");
  if (file.run != run || file.variants != variants)
    return Failure(FailureKind::UnusableUnitFile, "it was made for another task, forms, depth or kinds", "",
                   path);
  while (in >> word) {
    VariantResult r;
    std::size_t index = 0;
    if (word != "v" || !(in >> index >> r.calls >> r.ms) || index >= variants ||
        static_cast<int>(index % static_cast<std::size_t>(file.parts)) != file.part - 1 ||
        file.done.count(index) != 0)
      return Damaged(path, "a bad result line");
    for (std::size_t k = 0; k < forms; ++k) {
      FormOutcome f;
      if (!(in >> word) || !ParseForm(word, f)) return Damaged(path, "a bad result line");
      r.forms.push_back(f);
    }
    r.done = true;
    file.done.emplace(index, std::move(r));
  }
  out = std::move(file);
  return std::nullopt;
}

}  // namespace zv::cli
