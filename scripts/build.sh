# Sourced by the entry points: installs what is missing (once per script: what running needs, or
# with QUORVEL_DEPS=test what testing needs too) and builds a preset.
#   quorvel_build PRESET [TARGET...] [-- CONFIGURE OPTIONS...]
quorvel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

quorvel_build() {
  local preset=$1; shift
  local targets=() options=()
  while [ $# -gt 0 ] && [ "$1" != "--" ]; do targets+=("$1"); shift; done
  [ "${1:-}" = "--" ] && { shift; options=("$@"); }
  if [ -z "${QUORVEL_DEPS_CHECKED:-}" ]; then
    bash "$quorvel_root/scripts/install-deps.sh" "${QUORVEL_DEPS:-test}"
    export QUORVEL_DEPS_CHECKED=1
  fi
  (cd "$quorvel_root" && cmake --preset "$preset" "${options[@]}" >/dev/null &&
    cmake --build --preset "$preset" ${targets[@]:+--target "${targets[@]}"})
}
