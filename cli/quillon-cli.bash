# bash completion for quillon-cli: its commands, each command's options and
# the files it reads.

_quillon_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="compute check fit report"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
        -*) ;;
        *)
            command=${words[i]}
            break
            ;;
        esac
    done
    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    case $prev in
    -o | --output)
        _filedir
        return
        ;;
    --format)
        if [[ $command == fit ]]; then
            COMPREPLY=($(compgen -W "text json" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "csv json" -- "$cur"))
        fi
        return
        ;;
    --coefficient)
        COMPREPLY=($(compgen -W "quillon colburn" -- "$cur"))
        return
        ;;
    -j | --jobs)
        return
        ;;
    esac

    local options
    case $command in
    compute) options="--output --format --jobs --help --version" ;;
    check) options="--allow-no-results --jobs --help --version" ;;
    fit) options="--format --unweighted --coefficient --jobs --help --version" ;;
    report) options="--output --appendix --no-appendix --jobs --help --version" ;;
    *) return ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ $command != check ]]; then
        _filedir '@(quillon|csv)'
    else
        _filedir quillon
    fi
}
complete -F _quillon_cli quillon-cli
