#!/usr/bin/env bash
# Completes tessarin-cli command lines as bash does on Tab, with the
# completion this folder installs and the tessarin-cli given as $1; exit 77
# (skipped) without the bash-completion package.
set -u
# shellcheck disable=SC1091
source /usr/share/bash-completion/bash_completion 2>/dev/null || exit 77
source "$(dirname "$0")/tessarin-cli.bash"
cli=$1
failed=0

# expect REPLY WORD...: completing the last WORD offers REPLY.
expect() {
  local reply=$1
  shift
  COMP_WORDS=("$cli" "$@")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMP_LINE="${COMP_WORDS[*]}"
  COMP_POINT=${#COMP_LINE}
  COMPREPLY=()
  _tessarin_cli "$cli" "${COMP_WORDS[-1]}" "${COMP_WORDS[-2]}"
  if [[ "${COMPREPLY[*]}" != "$reply" ]]; then
    echo "completing '$*': '${COMPREPLY[*]}' instead of '$reply'"
    failed=1
  fi
}

expect "--strict" --str
expect "--list-processors --listing" --list
expect "16f877 16f877a" -p 16f877
expect "16f877 16f877a" --processor 16F877
expect "12f675" -s -p 12f67
expect "16f1827" -p 16f1827
exit $failed
