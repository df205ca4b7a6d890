// Listing the one- and two-link variants of a figure and making them.
#include "editor/link_variants.h"

#include <algorithm>
#include <array>

namespace zv {
namespace {

// One link of the figure: its cubes' cells (lower first) and what it is.
struct FigureLink {
  int a = 0, b = 0;
  LinkChoice choice = LinkChoice::None;
};

LinkChoice ChoiceOfBit(int bit) {
  switch (bit) {
    case EdgeX1:
    case EdgeY1:
      return LinkChoice::Edge1;
    case EdgeX2:
    case EdgeY2:
      return LinkChoice::Edge2;
    case CornerXLower:
    case CornerYRight:
    case CornerDiag:
    case CornerAntiDiag:
      return LinkChoice::Vertical1;
    case CornerXUpper:
    case CornerYLeft:
      return LinkChoice::Vertical2;
    case AxisX:
    case AxisY:
      return LinkChoice::Axis;
    default:
      return LinkChoice::Rigid;
  }
}

std::vector<FigureLink> ListLinks(const FigureState& figure) {
  std::vector<FigureLink> links;
  for (int y = 0; y <= figure.FigureDepth; ++y)
    for (int x = 0; x <= figure.FigureWidth; ++x) {
      const int cell = FigureCellIndex(x, y);
      for (int bit = 1; bit <= 14; ++bit) {
        if ((figure.Cells[cell] & BitMask(bit)) == 0 || !LinkCubesPresent(figure, cell, bit)) continue;
        const int first = cell + kLinkBits[bit].FirstOffset(), second = cell + kLinkBits[bit].SecondOffset();
        links.push_back({std::min(first, second), std::max(first, second), ChoiceOfBit(bit)});
      }
    }
  return links;
}

CubeIndex CubeIndexAt(const FigureState& figure, int cell) {
  std::array<int, kNumberSlots> cells{};
  const int count = ListCubeCells(figure, cells.data(), kNumberSlots);
  return CubeIndex(static_cast<int>(std::find(cells.begin(), cells.begin() + count, cell) - cells.begin()));
}

// The link between the cubes at cells a < b, as it stands in the figure.
LinkChoice CurrentChoice(const FigureState& figure, int a, int b) {
  for (int c = 1; c < kLinkChoiceCount; ++c) {
    const LinkPlace place = PlaceOfChoice(a, b, static_cast<LinkChoice>(c));
    if (place.bit != 0 && (figure.Cells[place.cell] & BitMask(place.bit)) != 0)
      return static_cast<LinkChoice>(c);
  }
  return LinkChoice::None;
}

// Changes the link between the cells a < b from `from` to `to`; false when
// `from` is not there, `to` cannot be set, or setting it cleared another link.
bool ChangeLink(FigureState& figure, int a, int b, LinkChoice from, LinkChoice to) {
  if (CurrentChoice(figure, a, b) != from) return false;
  if (from != LinkChoice::None) {
    const LinkPlace old = PlaceOfChoice(a, b, from);
    figure.Cells[old.cell] &= static_cast<FigureCell>(~BitMask(old.bit));
  }
  if (to == LinkChoice::None) return true;
  const LinkPlace place = PlaceOfChoice(a, b, to);
  if (place.bit == 0) return false;
  const std::size_t before = ListLinks(figure).size();
  if (!ToggleLink(figure, place.cell, place.bit)) return false;
  return ListLinks(figure).size() == before + 1;
}

}  // namespace

unsigned FamilyOf(LinkChoice choice) {
  switch (choice) {
    case LinkChoice::None:
      return FamilyNone;
    case LinkChoice::Rigid:
      return FamilyRigid;
    case LinkChoice::Axis:
      return FamilyAxis;
    default:
      return FamilyEdge;
  }
}

LinkPlace PlaceOfChoice(int a, int b, LinkChoice choice) {
  const int d = b - a;
  // clang-format off
  // x-neighbours store at b (one vertical edge at b + 32); y-neighbours at b
  // (one vertical edge at b + 1); diagonal pairs at b, anti-diagonal at a + 32.
  switch (d) {
    case 1:
      switch (choice) {
        case LinkChoice::Rigid:     return {b, RigidX};
        case LinkChoice::Axis:      return {b, AxisX};
        case LinkChoice::Edge1:     return {b, EdgeX1};
        case LinkChoice::Edge2:     return {b, EdgeX2};
        case LinkChoice::Vertical1: return {b, CornerXLower};
        case LinkChoice::Vertical2: return {b + 32, CornerXUpper};
        default:                    return {};
      }
    case 32:
      switch (choice) {
        case LinkChoice::Rigid:     return {b, RigidY};
        case LinkChoice::Axis:      return {b, AxisY};
        case LinkChoice::Edge1:     return {b, EdgeY1};
        case LinkChoice::Edge2:     return {b, EdgeY2};
        case LinkChoice::Vertical1: return {b, CornerYRight};
        case LinkChoice::Vertical2: return {b + 1, CornerYLeft};
        default:                    return {};
      }
    case 33: return choice == LinkChoice::Vertical1 ? LinkPlace{b, CornerDiag} : LinkPlace{};
    case 31: return choice == LinkChoice::Vertical1 ? LinkPlace{a + 32, CornerAntiDiag} : LinkPlace{};
    default: return {};
  }
  // clang-format on
}

std::vector<LinkVariant> ListLinkVariants(const FigureState& figure, const VariantOptions& options) {
  const std::vector<FigureLink> links = ListLinks(figure);
  // Per link, the changes that make a valid one-link edit.
  std::vector<std::vector<LinkChange>> changes(links.size());
  for (std::size_t i = 0; i < links.size(); ++i) {
    const FigureLink& l = links[i];
    const CubeIndex cubeA = CubeIndexAt(figure, l.a), cubeB = CubeIndexAt(figure, l.b);
    for (int c = 0; c < kLinkChoiceCount; ++c) {
      const auto to = static_cast<LinkChoice>(c);
      if (to == l.choice || (FamilyOf(to) & options.families) == 0) continue;
      FigureState copy = figure;
      if (ChangeLink(copy, l.a, l.b, l.choice, to)) changes[i].push_back({cubeA, cubeB, l.choice, to});
    }
  }
  std::vector<LinkVariant> list;
  for (std::size_t i = 0; i < links.size(); ++i)
    for (const LinkChange& first : changes[i]) {
      if (options.depth < 2) {
        list.push_back({{first}});
        continue;
      }
      for (std::size_t j = i + 1; j < links.size(); ++j)
        for (const LinkChange& second : changes[j]) {
          LinkVariant v{{first, second}};
          FigureState copy = figure;
          if (ApplyLinkVariant(copy, v)) list.push_back(std::move(v));
        }
    }
  return list;
}

bool ApplyLinkVariant(FigureState& figure, const LinkVariant& variant) {
  std::array<int, kNumberSlots> cells{};
  const int count = ListCubeCells(figure, cells.data(), kNumberSlots);
  for (const LinkChange& c : variant.changes) {
    if (!c.cubeA.valid() || c.cubeB.value() >= count || c.cubeA >= c.cubeB) return false;
    if (!ChangeLink(figure, cells[c.cubeA.value()], cells[c.cubeB.value()], c.from, c.to)) return false;
  }
  return true;
}

}  // namespace zv
