// The text form of a task (storage/task_json.h): the writer and the checking
// reader over the JSON tree of storage/json_document.h.
#include "storage/task_json.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <limits>
#include <vector>

#include "storage/cp1251_text.h"

namespace zv {

namespace {

// How the text form names each link bit: its kind, and for edge hinges the
// edge of the two cubes it lies on. "flat-1" and "flat-2" are the two
// horizontal edges of the shared face (bits 1 and 3 are marked on the left
// or upper cube's side, bits 2 and 4 on the other); "top", "bottom", "left"
// and "right" the vertical edge at that end of the shared side as the figure
// view shows it; a diagonal pair shares one edge only and names none.
struct LinkName {
  const char* kind;
  const char* edge;  // "" = no "edge" member
};
// clang-format off
constexpr std::array<LinkName, 15> kLinkNames{{
    {"", ""},                                              // 0: unused
    {"edge", "flat-1"}, {"edge", "flat-2"},                // EdgeX1, EdgeX2
    {"edge", "flat-1"}, {"edge", "flat-2"},                // EdgeY1, EdgeY2
    {"edge", "right"},  {"edge", "left"},                  // CornerYLeft, CornerYRight
    {"edge", "bottom"}, {"edge", "top"},                   // CornerXUpper, CornerXLower
    {"edge", ""},       {"edge", ""},                      // CornerDiag, CornerAntiDiag
    {"axis", ""},       {"axis", ""},                      // AxisX, AxisY
    {"rigid", ""},      {"rigid", ""},                     // RigidX, RigidY
}};
// clang-format on

constexpr char kFormCell = '#';
constexpr char kFormEmpty = '.';

// --- Writing -----------------------------------------------------------------

// Whether the file carries the numbers: as the "*.zvt" writer decides, so that
// a task of more than 256 cubes is written in default order by both.
bool WritesNumbers(const FigureState& figure) {
  return CountCubes(figure) <= kNumberSlots && !IsDefaultNumbering(figure);
}

void AppendFigure(std::string& out, const FigureState& figure, bool& linksWhole) {
  const int cubes = CountCubes(figure);
  std::vector<int> cells(static_cast<std::size_t>(cubes));
  ListCubeCells(figure, cells.data(), cubes);
  const bool numbered = WritesNumbers(figure);
  std::array<int, kFigureGrid> numberAt{};  // user number of the cube in each cell
  for (int k = 0; k < cubes; ++k)
    numberAt[static_cast<std::size_t>(cells[static_cast<std::size_t>(k)])] =
        numbered ? figure.NumberOfCube[static_cast<std::size_t>(k)] + 1 : k + 1;

  out += "  \"figure\": {\n    \"width\": " + std::to_string(figure.FigureWidth) +
         ",\n    \"depth\": " + std::to_string(figure.FigureDepth) + ",\n    \"cubes\": [";
  for (int k = 0; k < cubes; ++k) {
    const int cell = cells[static_cast<std::size_t>(k)];
    out += (k == 0 ? "\n" : ",\n");
    out += "      {\"x\": " + std::to_string(FigureCellX(cell)) +
           ", \"y\": " + std::to_string(FigureCellY(cell)) +
           ", \"number\": " + std::to_string(numberAt[static_cast<std::size_t>(cell)]) + "}";
  }
  out += cubes == 0 ? "],\n" : "\n    ],\n";
  out += "    \"links\": [";
  bool first = true;
  for (int y = 0; y <= figure.FigureDepth; ++y)
    for (int x = 0; x <= figure.FigureWidth; ++x) {
      const int cell = FigureCellIndex(x, y);
      for (int bit = EdgeX1; bit <= RigidY; ++bit) {
        if ((figure.Cells[static_cast<std::size_t>(cell)] & BitMask(bit)) == 0) continue;
        if (!LinkCubesPresent(figure, cell, bit)) {
          linksWhole = false;
          return;
        }
        const LinkBitInfo& info = kLinkBits[static_cast<std::size_t>(bit)];
        const LinkName& name = kLinkNames[static_cast<std::size_t>(bit)];
        out += first ? "\n" : ",\n";
        first = false;
        const int firstCell = cell + info.FirstOffset(), secondCell = cell + info.SecondOffset();
        const int a = numberAt[static_cast<std::size_t>(firstCell)];
        const int b = numberAt[static_cast<std::size_t>(secondCell)];
        out += "      {\"cubes\": [" + std::to_string(std::min(a, b)) + ", " +
               std::to_string(std::max(a, b)) + "], \"kind\": \"" + name.kind + '"';
        if (*name.edge != '\0') out += std::string(", \"edge\": \"") + name.edge + '"';
        out += '}';
      }
    }
  out += first ? "]\n  },\n" : "\n    ]\n  },\n";
}

void AppendForm(std::string& out, const FormState& form) {
  out += "  \"form\": {\n    \"layers\": [";
  for (int z = 0; z < form.FormHeight; ++z) {
    out += z == 0 ? "\n      [" : ",\n      [";
    for (int y = 0; y < form.FormDepth; ++y) {
      out += y == 0 ? "\n        \"" : ",\n        \"";
      for (int x = 0; x < form.FormWidth; ++x)
        out += form.At(FormCellIndex(x, y, z)) != 0 ? kFormCell : kFormEmpty;
      out += '"';
    }
    out += "\n      ]";
  }
  out += "\n    ]\n  }\n";
}

// --- Reading -----------------------------------------------------------------

// Reads the members of one object, each checked for its type and range; the
// first problem is kept and every later call does nothing.
class TaskReader {
 public:
  TaskJsonError error;

  bool Fail(TaskJsonProblem problem, const JsonValue& at, std::string field = "") {
    if (error.ok()) error = {problem, JsonProblem::None, at.at, std::move(field)};
    return false;
  }

  // Refuses members not in `known`.
  bool OnlyFields(const JsonValue& object, std::initializer_list<std::string_view> known) {
    for (std::size_t i = 0; i < object.keys.size(); ++i) {
      bool listed = false;
      for (std::string_view k : known) listed = listed || k == object.keys[i];
      if (!listed) return Fail(TaskJsonProblem::UnknownField, object.items[i], object.keys[i]);
    }
    return true;
  }

  // The member `name` of type `type`; nullptr (after a failure when
  // `required`) when it is absent or of another type.
  const JsonValue* Field(const JsonValue& object, const char* name, JsonValue::Type type, bool required) {
    const JsonValue* value = object.Member(name);
    if (value == nullptr) {
      if (required) Fail(TaskJsonProblem::MissingField, object, name);
      return nullptr;
    }
    if (value->type != type) {
      Fail(TaskJsonProblem::WrongType, *value, name);
      return nullptr;
    }
    return value;
  }

  bool Integer(const JsonValue& object, const char* name, int low, int high, int& out) {
    const JsonValue* value = Field(object, name, JsonValue::Type::Number, true);
    if (value == nullptr) return false;
    if (!value->integral) return Fail(TaskJsonProblem::WrongType, *value, name);
    if (value->integer < low || value->integer > high) return Fail(TaskJsonProblem::OutOfRange, *value, name);
    out = static_cast<int>(value->integer);
    return true;
  }

  bool Header(const JsonValue& root) {
    const JsonValue* format = root.Member("format");
    if (root.type != JsonValue::Type::Object || format == nullptr ||
        format->type != JsonValue::Type::String || format->text != kTaskJsonFormat)
      return Fail(TaskJsonProblem::NotATask, format != nullptr ? *format : root, "format");
    int version = 0;
    if (!Integer(root, "version", 0, std::numeric_limits<int>::max(), version)) return false;
    if (version > kTaskJsonVersion)
      return Fail(TaskJsonProblem::NewerVersion, *root.Member("version"), "version");
    return OnlyFields(root, {"format", "version", "description", "emptyCells", "figure", "form"});
  }

  bool Description(const JsonValue& root, TaskState& task) {
    const JsonValue* text = Field(root, "description", JsonValue::Type::String, false);
    if (text == nullptr) return error.ok();
    std::size_t bad = 0;
    std::optional<std::string> bytes = Utf8ToCp1251(text->text, bad);
    if (!bytes) return Fail(TaskJsonProblem::TextNotCp1251, *text, "description");
    if (bytes->size() > kMaxTextBytes) return Fail(TaskJsonProblem::TextTooLong, *text, "description");
    task.Text = std::move(*bytes);
    return true;
  }

  bool Form(const JsonValue& root, FormState& form) {
    const JsonValue* object = Field(root, "form", JsonValue::Type::Object, true);
    if (object == nullptr || !OnlyFields(*object, {"layers"})) return false;
    const JsonValue* layers = Field(*object, "layers", JsonValue::Type::Array, true);
    if (layers == nullptr) return false;
    const std::size_t height = layers->items.size();
    if (height < 1 || height > kMaxFormHeight) return Fail(TaskJsonProblem::OutOfRange, *layers, "layers");
    for (std::size_t z = 0; z < height; ++z) {
      const JsonValue& layer = layers->items[z];
      if (layer.type != JsonValue::Type::Array) return Fail(TaskJsonProblem::WrongType, layer, "layers");
      const std::size_t depth = layer.items.size();
      if (depth < 1 || depth > kMaxFormSide) return Fail(TaskJsonProblem::OutOfRange, layer, "layers");
      if (depth != layers->items[0].items.size()) return Fail(TaskJsonProblem::UnevenForm, layer, "layers");
      for (std::size_t y = 0; y < depth; ++y) {
        const JsonValue& row = layer.items[y];
        if (row.type != JsonValue::Type::String) return Fail(TaskJsonProblem::WrongType, row, "layers");
        const std::size_t width = row.text.size();
        if (width < 1 || width > kMaxFormSide) return Fail(TaskJsonProblem::OutOfRange, row, "layers");
        if (width != layers->items[0].items[0].text.size())
          return Fail(TaskJsonProblem::UnevenForm, row, "layers");
        for (std::size_t x = 0; x < width; ++x) {
          if (row.text[x] != kFormCell && row.text[x] != kFormEmpty)
            return Fail(TaskJsonProblem::BadFormRow, row, "layers");
          if (row.text[x] == kFormCell)
            form.At(FormCellIndex(static_cast<int>(x), static_cast<int>(y), static_cast<int>(z))) = 1;
        }
      }
    }
    form.FormHeight = static_cast<std::int32_t>(height);
    form.FormDepth = static_cast<std::int32_t>(layers->items[0].items.size());
    form.FormWidth = static_cast<std::int32_t>(layers->items[0].items[0].text.size());
    return true;
  }

  // The cubes, and the (cell, number) of each cube that carries a number.
  bool Cubes(const JsonValue& figureObject, FigureState& figure, std::vector<std::pair<int, int>>& numbered) {
    const JsonValue* cubes = Field(figureObject, "cubes", JsonValue::Type::Array, false);
    if (cubes == nullptr) return error.ok();
    for (const JsonValue& cube : cubes->items) {
      if (cube.type != JsonValue::Type::Object) return Fail(TaskJsonProblem::WrongType, cube, "cubes");
      int x = 0, y = 0;
      if (!OnlyFields(cube, {"x", "y", "number"}) || !Integer(cube, "x", 0, kMaxFigureSide, x) ||
          !Integer(cube, "y", 0, kMaxFigureSide, y))
        return false;
      if (x >= figure.FigureWidth || y >= figure.FigureDepth) return Fail(TaskJsonProblem::CubeOutside, cube);
      const int cell = FigureCellIndex(x, y);
      if ((figure.Cells[static_cast<std::size_t>(cell)] & kCubeBit) != 0)
        return Fail(TaskJsonProblem::CubeTwice, cube);
      figure.Cells[static_cast<std::size_t>(cell)] |= kCubeBit;
      if (cube.Member("number") == nullptr) continue;
      int number = 0;
      if (!Integer(cube, "number", 1, std::numeric_limits<int>::max(), number)) return false;
      numbered.emplace_back(cell, number);
    }
    if (!numbered.empty() && numbered.size() != cubes->items.size())
      return Fail(TaskJsonProblem::PartlyNumbered, *cubes, "number");
    return true;
  }

  // Applies the numbers as the "*.zvt" reader applies a numbering block;
  // `cellOfNumber` gets the cell of each user number 1..cubes.
  bool Numbers(const JsonValue& at, FigureState& figure, const std::vector<std::pair<int, int>>& numbered,
               std::vector<int>& cellOfNumber) {
    const int cubes = CountCubes(figure);
    std::vector<int> cells(static_cast<std::size_t>(cubes));
    ListCubeCells(figure, cells.data(), cubes);
    cellOfNumber.assign(static_cast<std::size_t>(cubes) + 1, 0);
    std::vector<int> numberOfCube(static_cast<std::size_t>(cubes));
    bool isDefault = true;
    for (int k = 0; k < cubes; ++k) {
      const int cell = cells[static_cast<std::size_t>(k)];
      int number = k + 1;
      for (const auto& [numberedCell, n] : numbered)
        if (numberedCell == cell) number = n;
      if (number > cubes || cellOfNumber[static_cast<std::size_t>(number)] != 0)
        return Fail(TaskJsonProblem::BadNumbers, at, "number");
      cellOfNumber[static_cast<std::size_t>(number)] = cell;
      numberOfCube[static_cast<std::size_t>(k)] = number - 1;
      isDefault = isDefault && number == k + 1;
    }
    if (isDefault) {
      ResetNumbering(figure);
      return true;
    }
    if (cubes > kNumberSlots) return Fail(TaskJsonProblem::BadNumbers, at, "number");
    for (int k = 0; k < cubes; ++k) {
      const auto n = static_cast<std::uint8_t>(numberOfCube[static_cast<std::size_t>(k)]);
      figure.NumberOfCube[static_cast<std::size_t>(k)] = n;
      figure.CubeOfNumber[n] = static_cast<std::uint8_t>(k);
      figure.NumberAtCell[static_cast<std::size_t>(cells[static_cast<std::size_t>(k)])] = n;
    }
    return true;
  }

  // The cell of the cube a link names by its user number.
  bool CubeCell(const JsonValue& value, const std::vector<int>& cellOfNumber, int& cell) {
    if (value.type != JsonValue::Type::Number || !value.integral)
      return Fail(TaskJsonProblem::WrongType, value, "cubes");
    if (value.integer < 1 || value.integer >= static_cast<long long>(cellOfNumber.size()))
      return Fail(TaskJsonProblem::UnknownCube, value, "cubes");
    cell = cellOfNumber[static_cast<std::size_t>(value.integer)];
    return true;
  }

  bool Links(const JsonValue& figureObject, FigureState& figure, const std::vector<int>& cellOfNumber) {
    const JsonValue* links = Field(figureObject, "links", JsonValue::Type::Array, false);
    if (links == nullptr) return error.ok();
    for (const JsonValue& link : links->items) {
      if (link.type != JsonValue::Type::Object) return Fail(TaskJsonProblem::WrongType, link, "links");
      if (!OnlyFields(link, {"cubes", "kind", "edge"})) return false;
      const JsonValue* pair = Field(link, "cubes", JsonValue::Type::Array, true);
      const JsonValue* kind = Field(link, "kind", JsonValue::Type::String, true);
      if (pair == nullptr || kind == nullptr) return false;
      const JsonValue* edge = Field(link, "edge", JsonValue::Type::String, false);
      if (!error.ok()) return false;
      if (pair->items.size() != 2) return Fail(TaskJsonProblem::WrongType, *pair, "cubes");
      int a = 0, b = 0;
      if (!CubeCell(pair->items[0], cellOfNumber, a) || !CubeCell(pair->items[1], cellOfNumber, b))
        return false;
      if (!SetLink(figure, a, b, kind->text, edge != nullptr ? edge->text : ""))
        return Fail(TaskJsonProblem::NoSuchLink, link);
    }
    return true;
  }

  // Sets the bit whose kind and edge are these and whose two cubes stand in
  // cells `a` and `b`, in either order.
  static bool SetLink(FigureState& figure, int a, int b, const std::string& kind, const std::string& edge) {
    for (int bit = EdgeX1; bit <= RigidY; ++bit) {
      const LinkName& name = kLinkNames[static_cast<std::size_t>(bit)];
      if (kind != name.kind || edge != name.edge) continue;
      const LinkBitInfo& info = kLinkBits[static_cast<std::size_t>(bit)];
      for (const auto& [first, second] : {std::pair{a, b}, std::pair{b, a}}) {
        const int cell = first - info.FirstOffset();
        if (cell + info.SecondOffset() != second) continue;
        figure.Cells[static_cast<std::size_t>(cell)] |= BitMask(bit);
        return true;
      }
    }
    return false;
  }

  bool Figure(const JsonValue& root, FigureState& figure) {
    const JsonValue* object = Field(root, "figure", JsonValue::Type::Object, true);
    if (object == nullptr || !OnlyFields(*object, {"width", "depth", "cubes", "links"}) ||
        !Integer(*object, "width", 1, kMaxFigureSide, figure.FigureWidth) ||
        !Integer(*object, "depth", 1, kMaxFigureSide, figure.FigureDepth))
      return false;
    std::vector<std::pair<int, int>> numbered;
    std::vector<int> cellOfNumber;
    const JsonValue* cubes = object->Member("cubes");
    return Cubes(*object, figure, numbered) &&
           Numbers(cubes != nullptr ? *cubes : *object, figure, numbered, cellOfNumber) &&
           Links(*object, figure, cellOfNumber);
  }
};

}  // namespace

std::optional<std::string> BuildTaskJson(const TaskState& task) {
  std::string out = "{\n  \"format\": \"" + std::string(kTaskJsonFormat) +
                    "\",\n  \"version\": " + std::to_string(kTaskJsonVersion) + ",\n";
  // The description ends at its first zero byte, as in a "*.zvt" file.
  const std::string_view text(task.Text.c_str());
  out += "  \"description\": " + JsonQuoted(Cp1251ToUtf8(text.substr(0, kMaxTextBytes))) + ",\n";
  out += std::string("  \"emptyCells\": ") + (task.EmptyCells ? "true" : "false") + ",\n";
  bool linksWhole = true;
  AppendFigure(out, task.figure, linksWhole);
  if (!linksWhole) return std::nullopt;
  AppendForm(out, task.form);
  return out + "}\n";
}

TaskJsonError ParseTaskJson(std::string_view text, TaskState& task) {
  const JsonParse parsed = ParseJson(text);
  if (!parsed.ok()) return {TaskJsonProblem::Syntax, parsed.error.problem, parsed.error.at, ""};
  // As the "*.zvt" reader does: the number arrays' entries beyond the loaded
  // cubes stay those of the present task.
  TaskState loaded = task;
  ClearTask(loaded);
  loaded.Text.clear();
  loaded.EmptyCells = false;
  TaskReader reader;
  const JsonValue& root = parsed.root;
  if (reader.Header(root) && reader.Description(root, loaded)) {
    if (const JsonValue* empty = reader.Field(root, "emptyCells", JsonValue::Type::Bool, false))
      loaded.EmptyCells = empty->boolean;
    if (reader.error.ok() && reader.Figure(root, loaded.figure)) reader.Form(root, loaded.form);
  }
  if (reader.error.ok()) task = std::move(loaded);
  return reader.error;
}

bool LooksLikeTaskJson(std::string_view bytes) {
  const std::size_t first = bytes.find_first_not_of(" \t\r\n");
  return first != std::string_view::npos && bytes[first] == '{';
}

}  // namespace zv
