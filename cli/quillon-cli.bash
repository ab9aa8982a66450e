# bash completion for quillon-cli: its commands, each command's options and
# the files it reads.

_quillon_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="compute check fit report summary exercise"
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
        # exercise writes into a folder.
        if [[ $command == exercise ]]; then
            _filedir -d
        else
            _filedir
        fi
        return
        ;;
    --tolerance | --groups | --seed | --noise)
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
    check) options="--allow-no-results --as-shown --tolerance --jobs --help --version" ;;
    fit) options="--format --unweighted --coefficient --jobs --help --version" ;;
    report) options="--output --appendix --no-appendix --coefficient --jobs --help --version" ;;
    summary) options="--output --format --as-shown --tolerance --jobs --help --version" ;;
    exercise) options="--groups --seed --noise --output --help --version" ;;
    *) return ;;
    esac
    if [[ $cur == -* || $command == exercise ]]; then
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    else
        _filedir '@(quillon|csv)'
    fi
}
complete -F _quillon_cli quillon-cli
