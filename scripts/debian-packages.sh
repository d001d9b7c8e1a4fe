# The Debian packages each job needs, and the check that installs what is missing.
# Sourced by run-tool, run-tests and .ci/run; the lists live here only.

# Libraries the tool itself links (the compiler, cmake and make are taken as given): meshoptimizer
# orders the header kind's triangles for the vertex cache.
tool_packages=(libmeshoptimizer-dev)
# What the test suite adds: GoogleTest, and Mesa's off-screen renderer and libpng for the
# render tests.
test_packages=(libgtest-dev libgmock-dev libosmesa6-dev libpng-dev)
# What CI adds: the example programs (the modern one loads OpenGL with libepoxy), the
# benchmarks, the fuzzer's clang runtime, and the shared-library dependencies of the Debian
# package.
ci_packages=(cmake g++ make freeglut3-dev libglu1-mesa-dev libepoxy-dev pkg-config
             libbenchmark-dev clang libclang-rt-14-dev dpkg-dev)

# Prints, one per line, the packages among "$@" that are not installed. When
# MESHWRIGHT_INSTALLED_PACKAGES is set, exactly the packages it lists count as installed and the
# machine is not asked, so the check can be tried without changing anything.
missing_packages() {
  local package
  for package in "$@"; do
    if [[ -v MESHWRIGHT_INSTALLED_PACKAGES ]]; then
      [[ " $MESHWRIGHT_INSTALLED_PACKAGES " == *" $package "* ]] || echo "$package"
    else
      dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'ok installed' ||
        echo "$package"
    fi
  done
}

# Makes sure the packages "$@" are installed: as root, installs the missing ones with apt-get;
# otherwise (or with --check as the first argument, or under MESHWRIGHT_INSTALLED_PACKAGES)
# installs nothing and fails, printing the command that would install them.
# $script names the caller in messages.
ensure_packages() {
  local check_only=false
  if [[ ${1:-} == --check ]]; then
    check_only=true
    shift
  fi
  local missing
  mapfile -t missing < <(missing_packages "$@")
  ((${#missing[@]})) || return 0
  if $check_only || [[ -v MESHWRIGHT_INSTALLED_PACKAGES ]] || ((EUID != 0)); then
    echo "$script: these Debian packages are missing: ${missing[*]}" >&2
    echo "Install them, then run $script again:" >&2
    echo "    sudo apt-get update && sudo apt-get install ${missing[*]}" >&2
    return 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
}
