# bash completion for mirovane-cli. Commands, options and the kind of each argument are read
# from the program's own --help, and the --format values from its answer to an unknown one,
# so what the program accepts is what completes.

# The usage lines of --help without the program's name, read once per shell.
_mirovane_cli_usage()
{
    if [[ -z ${_mirovane_cli_usage_lines-} ]]; then
        _mirovane_cli_usage_lines=$("$1" --help 2>/dev/null | sed -n 's/^  mirovane-cli //p')
    fi
    printf '%s\n' "$_mirovane_cli_usage_lines"
}

# The --format values of a command, as the program lists them when refusing an unknown one.
_mirovane_cli_formats()
{
    "$1" "$2" _ _ --format _ 2>&1 >/dev/null |
        sed -n 's/.*(use \(.*\))$/\1/p' | sed 's/,/ /g; s/ or / /g'
}

# Files of one kind: folders to walk into, and files whose extension matches the pattern.
_mirovane_cli_files()
{
    local cur=$1 pattern=$2 reset
    reset=$(shopt -p extglob nocaseglob)
    shopt -s extglob
    compopt -o filenames 2>/dev/null
    COMPREPLY=($(compgen -d -- "$cur"))
    [[ -n $pattern ]] && COMPREPLY+=($(compgen -f -X "!*.@($pattern)" -- "$cur"))
    eval "$reset"
}

# Completes an argument by its name in the usage line.
_mirovane_cli_value()
{
    local command=$1 value=$2 cur=$3
    case $value in
        PROJECT) _mirovane_cli_files "$cur" 'mrv|xml|MRV|XML' ;;
        DIR) _mirovane_cli_files "$cur" '' ;;
        STRIP) _mirovane_cli_files "$cur" 'png|bmp|jpg|jpeg|gif|tif|tiff|PNG|BMP|JPG|JPEG|GIF|TIF|TIFF' ;;
        SOURCE) _mirovane_cli_files "$cur" 'gif|webp|png|apng|mp4|m4v|webm|mkv|mov|avi|GIF|WEBP|PNG|APNG|MP4|M4V|WEBM|MKV|MOV|AVI' ;;
        OUT.zip) _mirovane_cli_files "$cur" 'zip|ZIP' ;;
        *'|'*) COMPREPLY=($(compgen -W "${value//|/ }" -- "$cur")) ;;
        OUT | PREFIX)
            if [[ $command == new || $command == import-* || $command == adjust || $command == align ]]; then
                _mirovane_cli_files "$cur" 'mrv|MRV'
            else
                compopt -o filenames 2>/dev/null
                COMPREPLY=($(compgen -f -- "$cur"))
            fi
            ;;
        *'|'*) COMPREPLY=($(compgen -W "${value//|/ }" -- "$cur")) ;;
        *) COMPREPLY=() ;; # a number or a name: nothing to offer
    esac
}

_mirovane_cli()
{
    local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]}
    local usage line
    COMPREPLY=()
    usage=$(_mirovane_cli_usage "$program")
    if ((COMP_CWORD == 1)); then
        COMPREPLY=($(compgen -W "$(printf '%s\n' "$usage" | cut -d' ' -f1) -h" -- "$cur"))
        return
    fi
    local command=${COMP_WORDS[1]}
    line=$(printf '%s\n' "$usage" | awk -v c="$command" '$1 == c' | head -1)
    [[ -n $line ]] || return

    # The usage line: positional names, then [--flag], [--option VALUE] and --a | --b.
    local -a positional=() options=(--help)
    local -A value_of=()
    local rest=${line#* } word
    while [[ -n $rest ]]; do
        if [[ $rest =~ ^\[(--[a-z-]+)( ([^]]+))?\]\ ?(.*)$ ]]; then
            options+=("${BASH_REMATCH[1]}")
            [[ -n ${BASH_REMATCH[3]} ]] && value_of[${BASH_REMATCH[1]}]=${BASH_REMATCH[3]}
            rest=${BASH_REMATCH[4]}
        elif [[ $rest =~ ^(--[a-z-]+)\ ?(.*)$ ]]; then # one of a choice: --a | --b
            options+=("${BASH_REMATCH[1]}")
            rest=${BASH_REMATCH[2]}
        elif [[ $rest =~ ^\|\ ?(.*)$ ]]; then
            rest=${BASH_REMATCH[1]}
        else
            word=${rest%% *}
            positional+=("$word")
            [[ $rest == *' '* ]] && rest=${rest#* } || rest=
        fi
    done

    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    if [[ -n ${value_of[$prev]-} ]]; then
        case $prev in
            --format) COMPREPLY=($(compgen -W "$(_mirovane_cli_formats "$program" "$command")" -- "$cur")) ;;
            *) _mirovane_cli_value "$command" "${value_of[$prev]}" "$cur" ;;
        esac
        return
    fi
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "${options[*]}" -- "$cur"))
        return
    fi

    # Which positional argument this is: the words before it, less options and their values.
    local i count=0
    for ((i = 2; i < COMP_CWORD; i++)); do
        word=${COMP_WORDS[i]}
        if [[ $word == -* ]]; then
            [[ -n ${value_of[$word]-} ]] && ((i++))
        else
            ((count++))
        fi
    done
    ((count < ${#positional[@]})) && _mirovane_cli_value "$command" "${positional[count]}" "$cur"
}

complete -F _mirovane_cli mirovane-cli
