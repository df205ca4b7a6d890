// zorvat-cli explore TASK.zvt [--depth 1|2] [--kinds K,...] [--forms F.zvt...]
// [--threads N] [--json] [--write DIR] [--checkpoint FILE | --resume FILE]
// [--part K/N --out FILE] [--merge PART...]:
// lists every variant of the task's figure with one link (or two) changed
// (editor/link_variants.h), solves each with the verdict search on one
// worker each (editor/variant_explorer.h), and prints a line (or a JSON
// object) per variant in list order and a summary, the unique ones first.
// A stop signal ends the run cleanly; the checkpoint (or a part's --out)
// then holds the variants done, and --resume goes on with the rest. A part
// solves every N-th variant; --merge takes the part files (made with the
// same task and options) and prints the whole list as one run would.
#include "cli/explore_command.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "cli/explore_files.h"
#include "cli/json.h"
#include "cli/solve_report.h"
#include "cli/stop_signals.h"
#include "solver/progress.h"
#include "storage/task_file.h"

namespace zv::cli {
namespace {

struct ExploreArguments {
  std::string path;
  VariantOptions variants;
  std::vector<std::string> forms, merge;
  int threads = DefaultThreadCount();
  bool json = false;
  std::string write, checkpoint, resume, out;
  int part = 1, parts = 1;
};

// clang-format off
struct ChoiceWords {
  LinkChoice choice;
  const char* code;   // in JSON and the data of a change
  const char* words;  // in the text lines
};
constexpr ChoiceWords kChoiceWords[] = {
    {LinkChoice::None,      "none",      "no link"},
    {LinkChoice::Rigid,     "rigid",     "rigid joint"},
    {LinkChoice::Axis,      "axis",      "face-axis hinge"},
    {LinkChoice::Edge1,     "edge1",     "edge hinge on horizontal edge 1"},
    {LinkChoice::Edge2,     "edge2",     "edge hinge on horizontal edge 2"},
    {LinkChoice::Vertical1, "vertical1", "edge hinge on vertical edge 1"},
    {LinkChoice::Vertical2, "vertical2", "edge hinge on vertical edge 2"},
};
// clang-format on
const ChoiceWords& WordsOf(LinkChoice c) { return kChoiceWords[static_cast<int>(c)]; }

bool ParseKinds(const std::string& text, unsigned& families) {
  families = 0;
  std::size_t at = 0;
  while (at <= text.size()) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    const std::string kind = text.substr(at, comma - at);
    if (kind == "none")
      families |= FamilyNone;
    else if (kind == "rigid")
      families |= FamilyRigid;
    else if (kind == "axis")
      families |= FamilyAxis;
    else if (kind == "edge")
      families |= FamilyEdge;
    else
      return false;
    at = comma + 1;
  }
  return families != 0;
}

std::optional<Failure> ParseArguments(const Command& self, Arguments args, ExploreArguments& out) {
  const auto wrong = [&](std::string detail) { return ArgumentFailure(std::move(detail), UsageLine(self)); };
  bool havePath = false;
  std::vector<std::string>* list = nullptr;  // --forms or --merge take the paths that follow
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool takesValue = word == "--depth" || word == "--kinds" || word == "--threads" ||
                            word == "--write" || word == "--checkpoint" || word == "--resume" ||
                            word == "--part" || word == "--out";
    if (takesValue && i + 1 == args.size()) return wrong(word + " needs a value");
    long long count = 0;
    const bool option = word.size() > 1 && word[0] == '-';
    if (option) list = nullptr;
    if (word == "--json") {
      out.json = true;
    } else if (word == "--forms" || word == "--merge") {
      list = word == "--forms" ? &out.forms : &out.merge;
    } else if (word == "--depth") {
      const std::string& value = args[++i];
      if (value != "1" && value != "2") return wrong("--depth expects 1 or 2, not '" + value + "'");
      out.variants.depth = value[0] - '0';
    } else if (word == "--kinds") {
      const std::string& value = args[++i];
      if (!ParseKinds(value, out.variants.families))
        return wrong("--kinds expects a list of none, rigid, axis, edge, not '" + value + "'");
    } else if (word == "--threads") {
      const std::string& value = args[++i];
      if (!ParseCount(value, count) || count == 0 || count > kMaxThreads)
        return wrong("--threads expects a whole number from 1 to " + std::to_string(kMaxThreads) + ", not '" +
                     value + "'");
      out.threads = static_cast<int>(count);
    } else if (word == "--write" || word == "--checkpoint" || word == "--resume" || word == "--out") {
      (word == "--write"        ? out.write
       : word == "--checkpoint" ? out.checkpoint
       : word == "--resume"     ? out.resume
                                : out.out) = args[++i];
    } else if (word == "--part") {
      const std::string& value = args[++i];
      const std::size_t slash = value.find('/');
      long long k = 0, n = 0;
      if (slash == std::string::npos || !ParseCount(value.substr(0, slash), k) ||
          !ParseCount(value.substr(slash + 1), n) || k < 1 || k > n || n > 100000)
        return wrong("--part expects K/N with 1 <= K <= N <= 100000, not '" + value + "'");
      out.part = static_cast<int>(k);
      out.parts = static_cast<int>(n);
    } else if (option) {
      return wrong("unknown option '" + word + "'");
    } else if (list != nullptr) {
      list->push_back(word);
    } else if (havePath) {
      return wrong("'explore' takes one task path, not also '" + word + "'");
    } else {
      out.path = word;
      havePath = true;
    }
  }
  if (!havePath) return wrong("'explore' needs the path of a task file");
  if (!out.checkpoint.empty() && !out.resume.empty()) return wrong("give --checkpoint or --resume, not both");
  if ((out.parts != 1 || out.part != 1) != !out.out.empty()) return wrong("--part and --out go together");
  if (!out.out.empty() && (!out.checkpoint.empty() || !out.resume.empty()))
    return wrong("a part keeps its own --out file; give no --checkpoint or --resume");
  if (!out.merge.empty() && (!out.out.empty() || !out.checkpoint.empty() || !out.resume.empty()))
    return wrong("--merge takes finished part files only");
  return std::nullopt;
}

int UserNumber(const TaskState& task, CubeIndex cube) { return UserNumberOfCube(task.figure, cube); }

// "cubes 3-4: edge hinge on horizontal edge 1 -> rigid joint; ..."
std::string ChangeWords(const TaskState& task, const LinkVariant& v) {
  std::string text;
  for (const LinkChange& c : v.changes) {
    if (!text.empty()) text += "; ";
    text += "cubes " + std::to_string(UserNumber(task, c.cubeA)) + "-" +
            std::to_string(UserNumber(task, c.cubeB)) + ": " + WordsOf(c.from).words + " -> " +
            WordsOf(c.to).words;
  }
  return text;
}

std::string ChangeJson(const TaskState& task, const LinkVariant& v) {
  std::string list = "[";
  for (const LinkChange& c : v.changes) {
    if (list.size() > 1) list += ',';
    list += JsonObject()
                .AddRaw("cubes", "[" + std::to_string(UserNumber(task, c.cubeA)) + "," +
                                     std::to_string(UserNumber(task, c.cubeB)) + "]")
                .Add("from", WordsOf(c.from).code)
                .Add("to", WordsOf(c.to).code)
                .Text();
  }
  return list + ']';
}

// The verdict of a variant: "invalid" when the task's own form refuses it.
const char* VariantVerdictName(const VariantResult& r) {
  if (!r.done) return "stopped";
  return r.forms[0].invalid ? "invalid" : VerdictName(r.forms[0].verdict);
}

// Writes every valid variant as DIR/variant_NNNN.zvt (index from 1); the
// names of those written, "" where none was.
std::vector<std::string> WriteVariants(const VariantExplorer& explorer,
                                       const std::vector<std::size_t>& global, const std::string& dir,
                                       bool& failed) {
  std::vector<std::string> names(explorer.Variants().size());
  std::error_code ignored;
  std::filesystem::create_directories(dir, ignored);
  for (std::size_t i = 0; i < names.size(); ++i) {
    const VariantResult& r = explorer.Results()[i];
    if (!r.done || r.forms[0].invalid) continue;
    char name[32];
    std::snprintf(name, sizeof name, "variant_%04zu.zvt", global[i] + 1);
    const std::string path = (std::filesystem::path(dir) / name).string();
    if (WriteTaskFile(path, explorer.VariantTask(i)) == WriteResult::Ok)
      names[i] = path;
    else
      failed = true;
  }
  return names;
}

// Prints the variants in list order and the summary; the exit status.
int PrintReport(const TaskState& task, const VariantExplorer& explorer,
                const std::vector<std::size_t>& global, const ExploreArguments& options, bool stopped,
                int signal, std::uint64_t ms) {
  bool writeFailed = false;
  const std::vector<std::string> files = options.write.empty()
                                             ? std::vector<std::string>(explorer.Variants().size())
                                             : WriteVariants(explorer, global, options.write, writeFailed);
  const bool withForms = !options.forms.empty();
  int unique = 0, none = 0, several = 0, invalid = 0, unfinished = 0, intoAll = 0;
  std::string uniqueList = "[", uniqueText;
  std::string variants = "[";
  for (std::size_t i = 0; i < explorer.Variants().size(); ++i) {
    const VariantResult& r = explorer.Results()[i];
    const LinkVariant& v = explorer.Variants()[i];
    const std::string verdict = VariantVerdictName(r);
    unique += verdict == "unique";
    none += verdict == "none";
    several += verdict == "several";
    invalid += verdict == "invalid";
    unfinished += verdict == "stopped";
    intoAll += r.done && r.FoldsIntoAll();
    const std::size_t number = global[i] + 1;
    if (verdict == "unique") {
      uniqueList += (uniqueList.size() > 1 ? "," : "") + std::to_string(number);
      uniqueText += (uniqueText.empty() ? "" : ", ") + std::to_string(number);
    }
    const int solutions = r.done && !r.forms[0].invalid ? r.forms[0].solutions : 0;
    if (options.json) {
      JsonObject object;
      object.Add("variant", number)
          .AddRaw("change", ChangeJson(task, v))
          .Add("words", ChangeWords(task, v))
          .Add("verdict", verdict)
          .Add("solutions", solutions)
          .Add("calls", r.calls)
          .AddRaw("seconds", FormatSeconds3(r.ms));
      if (verdict == "invalid")
        object.Add("message",
                   FailureMessage(RefusalFailure(ValidateTask(explorer.VariantTask(i)), task.figure)));
      if (withForms && r.done) {
        std::string forms = "[";
        for (std::size_t k = 1; k < r.forms.size(); ++k)
          forms += std::string(k > 1 ? "," : "") +
                   JsonString(r.forms[k].invalid ? "invalid" : VerdictName(r.forms[k].verdict));
        object.AddRaw("forms", forms + "]").Add("foldsIntoAll", r.FoldsIntoAll());
      }
      if (!files[i].empty()) object.Add("file", files[i]);
      variants += (variants.size() > 1 ? "," : "") + object.Text();
    } else {
      std::cout << number << ". " << ChangeWords(task, v) << ": " << verdict;
      if (verdict == "invalid")
        std::cout << " ("
                  << FailureMessage(RefusalFailure(ValidateTask(explorer.VariantTask(i)), task.figure))
                  << ")";
      else if (r.done)
        std::cout << ", solutions " << solutions << ", calls " << r.calls << ", " << FormatSeconds3(r.ms)
                  << " s";
      if (withForms && r.done) {
        std::cout << ", other forms:";
        for (std::size_t k = 1; k < r.forms.size(); ++k)
          std::cout << ' ' << (r.forms[k].invalid ? "invalid" : VerdictName(r.forms[k].verdict));
        if (r.FoldsIntoAll()) std::cout << ", folds into all";
      }
      if (!files[i].empty()) std::cout << ", " << files[i];
      std::cout << '\n';
    }
  }
  const int status = writeFailed ? kExitFailure : stopped ? kExitSignal : kExitOk;
  if (options.json) {
    JsonObject object;
    object.Add("task", options.path)
        .Add("depth", options.variants.depth)
        .Add("part", options.part)
        .Add("parts", options.parts)
        .AddRaw("variants", variants + "]")
        .AddRaw("unique", uniqueList + "]")
        .Add("uniqueCount", unique)
        .Add("noneCount", none)
        .Add("severalCount", several)
        .Add("invalidCount", invalid)
        .Add("stoppedCount", unfinished);
    if (withForms) object.Add("foldsIntoAllCount", intoAll);
    object.AddRaw("seconds", FormatSeconds3(ms)).Add("outcome", stopped ? "stopped" : "complete");
    if (stopped) object.Add("stop_reason", "signal").Add("signal", StopSignalName(signal));
    std::cout << object.Text() << '\n';
  } else {
    std::cout << "\nunique: " << unique << (unique > 0 ? " (variants " + uniqueText + ")" : "") << '\n'
              << "none: " << none << "\nseveral: " << several << "\ninvalid: " << invalid << '\n';
    if (unfinished > 0) std::cout << "not done: " << unfinished << '\n';
    if (withForms) std::cout << "folds into all forms: " << intoAll << '\n';
    std::cout << "time: " << FormatSeconds3(ms) << " s\n";
    if (stopped) std::cout << "stopped\n";
  }
  std::cout.flush();
  if (writeFailed)
    std::cerr << "zorvat-cli: some variant files could not be written in " << options.write << '\n';
  if (stopped)
    std::cerr << "zorvat-cli: stopped by " << StopSignalName(signal)
              << "; the variants not done can be resumed\n";
  return status;
}

}  // namespace

int RunExplore(const Command& self, Arguments args) {
  StopSignals signals;
  ExploreArguments options;
  if (auto failure = ParseArguments(self, args, options)) return Report(*failure, WantsJson(args));
  const bool json = options.json;
  TaskState task;
  if (auto failure = LoadTask(options.path, task)) return Report(*failure, json);
  std::vector<ExploreForm> forms;
  for (const std::string& path : options.forms) {
    TaskState other;
    if (auto failure = LoadTask(path, other)) return Report(*failure, json);
    forms.push_back({other.form, other.EmptyCells});
  }
  const std::vector<LinkVariant> all = ListLinkVariants(task.figure, options.variants);
  const std::uint64_t run =
      ExploreFingerprint(task, forms, options.variants.depth, options.variants.families);
  const std::size_t formCount = forms.size() + 1;

  // The part's share of the list, by index in the whole list.
  std::vector<std::size_t> global;
  std::vector<LinkVariant> mine;
  for (std::size_t i = 0; i < all.size(); ++i)
    if (static_cast<int>(i % static_cast<std::size_t>(options.parts)) == options.part - 1) {
      global.push_back(i);
      mine.push_back(all[i]);
    }
  VariantExplorer explorer(task, mine, forms);
  auto fill = [&](const ExploreFile& file) {
    for (std::size_t i = 0; i < global.size(); ++i)
      if (auto found = file.done.find(global[i]); found != file.done.end())
        explorer.Results()[i] = found->second;
  };

  if (!options.merge.empty()) {
    // Every part once, each with all of its variants.
    std::vector<bool> seen;
    for (const std::string& path : options.merge) {
      ExploreFile file;
      if (auto failure = LoadExploreFile(path, run, all.size(), formCount, file))
        return Report(*failure, json);
      if (seen.empty()) seen.assign(static_cast<std::size_t>(file.parts), false);
      const std::size_t expected = (all.size() + static_cast<std::size_t>(file.parts - file.part)) /
                                   static_cast<std::size_t>(file.parts);
      if (seen.size() != static_cast<std::size_t>(file.parts) || seen[file.part - 1] ||
          file.done.size() != expected)
        return Report(
            Failure(FailureKind::IncompleteParts, path + " is a doubled, unfinished or foreign part"), json);
      seen[file.part - 1] = true;
      fill(file);
    }
    if (std::find(seen.begin(), seen.end(), false) != seen.end())
      return Report(Failure(FailureKind::IncompleteParts, "a part is missing"), json);
    return PrintReport(task, explorer, global, options, false, 0, 0);
  }

  const std::string target = !options.checkpoint.empty() ? options.checkpoint
                             : !options.resume.empty()   ? options.resume
                                                         : options.out;
  if (!options.resume.empty()) {
    ExploreFile file;
    if (auto failure = LoadExploreFile(options.resume, run, all.size(), formCount, file))
      return Report(*failure, json);
    fill(file);
  }
  std::atomic<bool> stop{false};
  const bool terminal = isatty(STDERR_FILENO) != 0;
  ProgressClock clock(SystemTicks());
  clock.Start();
  bool lineShown = false;
  const int total = static_cast<int>(mine.size());
  const int before = static_cast<int>(std::count_if(explorer.Results().begin(), explorer.Results().end(),
                                                    [](const VariantResult& r) { return r.done; }));
  explorer.Run(options.threads, stop, SystemTicks(), [&](int done) {
    if (signals.Received() != 0) stop = true;
    if (!terminal || clock.Advance().action != ProgressAction::SecondRefresh) return;
    const double share = total > before ? static_cast<double>(done - before) / (total - before) : 1.0;
    const std::string left = FormatRemaining(clock.ElapsedMs(), share);
    std::fprintf(stderr, "\rvariants %d of %d, remaining %s s   ", done, total,
                 left.empty() ? "?" : left.c_str());
    std::fflush(stderr);
    lineShown = true;
  });
  if (lineShown) std::fputc('\n', stderr);
  const bool stopped = explorer.DoneCount() < total;
  if (!target.empty()) {
    ExploreFile file{run, options.part, options.parts, all.size(), {}};
    for (std::size_t i = 0; i < global.size(); ++i)
      if (explorer.Results()[i].done) file.done.emplace(global[i], explorer.Results()[i]);
    if (auto failure = SaveExploreFile(target, file)) {
      if (!stopped) return Report(*failure, json);
      PrintFailureLines(*failure);
    }
  }
  return PrintReport(task, explorer, global, options, stopped, signals.Received(), clock.ElapsedMs());
}

}  // namespace zv::cli
