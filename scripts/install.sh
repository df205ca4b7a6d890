#!/usr/bin/env bash
# Installs what the build needs, builds the two programs in the Release
# configuration (build/package, no tests or benchmarks), packs them with what
# they install into a Debian package (build/package/zorvat_VERSION_ARCH.deb)
# and installs that package with apt, which brings in the Qt libraries it
# depends on. Runs as root or through sudo.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh" || exit 1

cmake --preset package
cmake --build --preset package
(cd build/package && cpack -G DEB)
version="$(sed -n 's/^project(Zorvat VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
deb="$(ls build/package/zorvat_"$version"_*.deb)"
sudo=()
((EUID == 0)) || sudo=(sudo)
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y "$PWD/$deb" </dev/null
