# Shared set-up for scripts/run.sh and scripts/test.sh (sourced, not run):
# installs the Debian 12 packages the build needs, but only those missing,
# so a machine that has them all pays one dpkg query and nothing else.
# Defines ZORVAT_ROOT (the repository root) and changes into it.

ZORVAT_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$ZORVAT_ROOT" || return 1

# Why each package is here:
#   build-essential, cmake, ninja-build, pkg-config  the C++20 build
#   qt6-base-dev       Qt 6 Widgets and Qt Test for the window program
#   qt6-translations-l10n  Qt's Russian texts for its standard dialogs and buttons
#   qt6-svg-dev        Qt's SVG generator and renderer: pictures of solutions as SVG
#   libgl1-mesa-dev    OpenGL headers: Qt6Gui's CMake config requires them
#   libgtest-dev, libgmock-dev, libbenchmark-dev      tests and benchmarks
#   clang, libclang-rt-14-dev   the clang build with libFuzzer and sanitizers
#   clang-format       the formatting check of scripts/format.sh
#   fonts-dejavu-core  a font for the offscreen window tests and screenshots
#   xvfb, xauth        a virtual X display for screenshot checks
#   qt6-tools-dev, qt6-l10n-tools  Qt Linguist's CMake functions, lupdate and lrelease:
#                      translations/zorvat_en.ts compiled into zorvat_en.qm
#   clang-tidy         the static checks of scripts/tidy.sh (.clang-tidy)
#   librsvg2-bin       rsvg-convert draws the icon's PNG sizes from its SVG
#   dpkg-dev           dpkg-shlibdeps: the Debian package's library dependencies
#   desktop-file-utils, shared-mime-info, xdg-utils, libfile-mimeinfo-perl, groff-base
#                      the installation test: desktop-file-validate, update-mime-database,
#                      xdg-mime (answering through mimetype from libfile-mimeinfo-perl outside
#                      a desktop session), and groff for the manual pages
#   appstream          appstreamcli validates the software-centre metadata
#   libjs-three        three.js, which the web page of a solution (export --format html) inlines
#   chromium           the headless browser test of that web page
#   ccache             a compiler cache: the three configurations share most sources,
#                      and a later run of the test command rebuilds only what changed
#   slurmctld, slurmd, slurm-client, munge  the test that runs a split solve as a Slurm job array
#   valgrind           callgrind's instruction counts per search call (bench/targets.sh -i)
ZORVAT_PACKAGES=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-translations-l10n qt6-svg-dev libgl1-mesa-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  fonts-dejavu-core
  xvfb xauth
  qt6-tools-dev qt6-l10n-tools
  clang-tidy librsvg2-bin dpkg-dev
  desktop-file-utils shared-mime-info xdg-utils libfile-mimeinfo-perl groff-base
  appstream libjs-three chromium
  slurmctld slurmd slurm-client munge
  valgrind
)

zorvat_missing_packages() {
  local pkg status
  for pkg in "${ZORVAT_PACKAGES[@]}"; do
    status="$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null)"
    [[ "$status" == "install ok installed" ]] || printf '%s\n' "$pkg"
  done
}

zorvat_setup() {
  local missing
  mapfile -t missing < <(zorvat_missing_packages)
  ((${#missing[@]} == 0)) && return 0

  echo "setup: installing missing packages: ${missing[*]}"
  local sudo=()
  if ((EUID != 0)); then
    if command -v sudo >/dev/null 2>&1; then
      sudo=(sudo)
    else
      echo "setup: not root and no sudo; install these packages first: ${missing[*]}" >&2
      return 1
    fi
  fi
  "${sudo[@]}" apt-get update </dev/null || {
    echo "setup: apt-get update failed" >&2
    return 1
  }
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}" </dev/null || {
    echo "setup: apt-get install failed for: ${missing[*]}" >&2
    return 1
  }
}

zorvat_setup
