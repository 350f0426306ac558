# bash completion for pomuran-cli: commands, their options, window names and files.
_pomuran_cli()
{
    local cur prev words cword
    _init_completion || return

    local commands="import export list show tables backtest update"
    local command="" i
    for ((i = 1; i < cword; i++)); do
        case "${words[i]}" in
            -*) ;;
            *)
                # The word after an option taking a value is that value, not the command.
                case "${words[i - 1]}" in
                    --db | --csv | --server | --format | --enabled-options | --from | --output) ;;
                    *) command="${words[i]}"; break ;;
                esac
                ;;
        esac
    done

    case "$prev" in
        --db)
            _filedir mdb
            return
            ;;
        --csv)
            _filedir csv
            return
            ;;
        --output)
            _filedir
            return
            ;;
        --format)
            local formats="json csv text"
            [[ $command == show ]] && formats+=" pdf xlsx png"
            COMPREPLY=($(compgen -W "$formats" -- "$cur"))
            return
            ;;
        --enabled-options)
            COMPREPLY=($(compgen -W "$(echo {0..12})" -- "$cur"))
            return
            ;;
        --server | --from)
            return
            ;;
    esac

    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$commands --help --version" -- "$cur"))
        return
    fi

    local options=""
    case "$command" in
        import | export) options="--db" ;;
        show) options="--db --csv --enabled-options --format --output" ;;
        tables) options="--db --csv" ;;
        backtest) options="--db --csv --from --enabled-options --all-options --format" ;;
        update) options="--server --db" ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
        return
    fi
    case "$command" in
        import) _filedir csv ;;
        show)
            # Window names come from the program itself, so new windows complete too.
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$("${words[0]}" list 2>/dev/null)" -- "$cur"))
            ;;
    esac
} &&
    complete -F _pomuran_cli pomuran-cli
