# bash completion for tessarin-cli: its options (read from its --help), the
# processors it knows, and HEX files.
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
      COMPREPLY=($(compgen -W '16F873 16F873A 16F874 16F874A 16F876 16F876A 16F877 16F877A' \
        -- "$cur"))
      return
      ;;
  esac

  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W '$(_parse_help "$1")' -- "$cur"))
    [[ ${COMPREPLY-} == *= ]] && compopt -o nospace
    return
  fi
  _filedir '@(hex|HEX|ihex|ihx)'
} &&
  complete -F _tessarin_cli tessarin-cli
