#!/bin/sh
# Installs, from Debian's packages, what building and testing vadu needs and
# this machine lacks. The program itself needs only a C++ compiler and the
# build tools; the rest is for the tests and benchmarks: GoogleTest, Google
# Benchmark, Orocos KDL (the benchmark beside it), the JSON parser and Lua that
# tests read the libraries' output with, and ip and unshare (the broadcast test
# in a network namespace of its own). With "windows" it adds the MinGW-w64
# cross compiler, GoogleTest's sources and Wine; with "fuzz" clang and its
# fuzzing runtime; with "format" clang-format, for .ci/bicim.
set -eu

paketler="cmake ninja-build g++ libgtest-dev libbenchmark-dev liborocos-kdl-dev nlohmann-json3-dev liblua5.4-dev iproute2 util-linux"
for ek in "$@"; do
  case "$ek" in
    windows) paketler="$paketler g++-mingw-w64-x86-64-posix googletest wine64" ;;
    fuzz) paketler="$paketler clang-14 libclang-rt-14-dev" ;;
    format) paketler="$paketler clang-format-14" ;;
    *) echo "hazirla.sh: unknown extra '$ek' (known: windows, fuzz, format)" >&2; exit 2 ;;
  esac
done

eksik=""
for p in $paketler; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || eksik="$eksik $p"
done
[ -z "$eksik" ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $eksik
