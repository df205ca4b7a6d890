// Variants of a figure that differ from it in one link (depth 1) or two
// (depth 2): a link between two cubes changed to another link the pair can
// carry, or removed. A pair of x- or y-neighbours can carry a rigid joint, a
// face-axis hinge or an edge hinge on any of the four edges of their shared
// face (two horizontal, two vertical); a diagonal pair only the edge hinge on
// the one vertical edge it shares.
//
// Usage:
//   std::vector<zv::LinkVariant> list = zv::ListLinkVariants(task.figure, {.depth = 1});
//   zv::TaskState variant = task;
//   if (zv::ApplyLinkVariant(variant.figure, list[i])) ... solve or write `variant`
//
// The list's order is fixed by the figure alone: the links in the order of
// their storing cells (row by row) and bits, and per link the choices in
// the order of `LinkChoice`. A change that would also clear another link
// (hinges at one grid point that cannot coexist) is no one-link change and
// is left out.
#pragma once

#include <cstdint>
#include <vector>

#include "model/task.h"

namespace zv {

// What links a pair of cubes, in the order the variants try them.
enum class LinkChoice : std::uint8_t {
  None,       // no link
  Rigid,      // rigid joint
  Axis,       // face-axis hinge
  Edge1,      // edge hinge on horizontal edge 1 of the shared face (bit EdgeX1, EdgeY1)
  Edge2,      // ... horizontal edge 2 (EdgeX2, EdgeY2)
  Vertical1,  // ... the vertical edge at the storing cell's own corner (CornerXLower, CornerYRight,
              //     CornerDiag, CornerAntiDiag)
  Vertical2,  // ... the other vertical edge (CornerXUpper, CornerYLeft)
};
inline constexpr int kLinkChoiceCount = 7;

// Families the explorer can be limited to (--kinds): bit per family.
enum LinkFamily : unsigned {
  FamilyNone = 1u << 0,
  FamilyRigid = 1u << 1,
  FamilyAxis = 1u << 2,
  FamilyEdge = 1u << 3,
  FamilyAll = 15u,
};
unsigned FamilyOf(LinkChoice choice);

// One link of a variant: the pair of cubes (cube indexes, lower first) and
// its link before and after.
struct LinkChange {
  CubeIndex cubeA, cubeB;
  LinkChoice from = LinkChoice::None, to = LinkChoice::None;
  bool operator==(const LinkChange&) const = default;
};

struct LinkVariant {
  std::vector<LinkChange> changes;  // 1 or 2, in link order
};

struct VariantOptions {
  int depth = 1;                  // links changed per variant: 1 or 2
  unsigned families = FamilyAll;  // choices a link may change to
};

std::vector<LinkVariant> ListLinkVariants(const FigureState& figure, const VariantOptions& options);

// Makes the variant's changes on a figure equal to the one it was listed
// from; false (the figure then undefined) when a change does not fit it.
bool ApplyLinkVariant(FigureState& figure, const LinkVariant& variant);

// The storing cell and link bit of `choice` between the cubes at figure
// cells `a` < `b`; bit 0 when the pair cannot carry it (or for None).
struct LinkPlace {
  int cell = 0;
  int bit = 0;
};
LinkPlace PlaceOfChoice(int a, int b, LinkChoice choice);

}  // namespace zv
