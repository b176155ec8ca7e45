# bash completion for tessarin-cli: its options (read from its --help, each
# once), the processors it knows (read from its --list-processors, in lower
# case) and HEX files.
_tessarin_cli() {
  local cur prev words cword
  _init_completion || return

  case $prev in
    -o | --output)
      _filedir
      return
      ;;
    -z | --zones)
      _filedir
      return
      ;;
    -p | --processor)
      COMPREPLY=($(compgen -W '$("$1" --list-processors 2>/dev/null)' -- "${cur,,}"))
      return
      ;;
  esac

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W '$(_parse_help "$1" | sort -u)' -- "$cur"))
    [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
    return
  fi
  _filedir '@(hex|HEX|ihex|ihx)'
} &&
  complete -F _tessarin_cli tessarin-cli
