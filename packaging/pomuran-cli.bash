# bash completion for pomuran-cli: commands, their options, window names and files.
# A test checks the tables below against the command definitions: a new command or option
# without its line here fails it.

# What may follow a command (its subcommands and options); "" is pomuran-cli itself.
_pomuran_cli_words()
{
    case "$1" in
        "") echo "import export list show tables update tickets combos stats backtest --help --version" ;;
        import) echo "--db --merge --encoding --help" ;;
        export) echo "--db --encoding --prizes --help" ;;
        list) echo "--help" ;;
        show) echo "--db --csv --enabled-options --format --output --help" ;;
        tables) echo "--db --csv --help" ;;
        update) echo "--server --db --keep-missing --drop-missing --help" ;;
        tickets) echo "add list remove check --help" ;;
        "tickets add") echo "--tickets --draw --numbers --count --help" ;;
        "tickets list") echo "--tickets --format --help" ;;
        "tickets remove") echo "--tickets --help" ;;
        "tickets check") echo "--tickets --draw --db --csv --format --help" ;;
        combos) echo "--numbers --fixed --reduce --guarantee --seconds --sum --odd-even --low-high --max-consecutive --max-previous --not-won --db --csv --format --help" ;;
        stats) echo "--db --csv --last --format --help" ;;
        backtest) echo "--db --csv --from --enabled-options --all-options --format --help" ;;
    esac
}

# Options that take a value: the word after one is that value.
_pomuran_cli_value_options="--db --csv --server --format --enabled-options --from --output --encoding --tickets --draw --numbers --count --fixed --reduce --guarantee --seconds --sum --odd-even --low-high --max-consecutive --max-previous --last"

_pomuran_cli()
{
    local cur prev words cword
    _init_completion || return

    # The command so far: words that are neither options nor their values, as long as each is
    # a subcommand of the command before it.
    local command="" i word
    for ((i = 1; i < cword; i++)); do
        word="${words[i]}"
        [[ $word == -* ]] && continue
        [[ " $_pomuran_cli_value_options " == *" ${words[i - 1]} "* ]] && continue
        [[ " $(_pomuran_cli_words "$command") " == *" $word "* ]] || break
        command="${command:+$command }$word"
    done

    case "$prev" in
        --db) _filedir mdb; return ;;
        --csv) _filedir csv; return ;;
        --output) _filedir; return ;;
        --tickets) _filedir sqlite; return ;;
        --format)
            local formats="json csv text"
            [[ $command == show ]] && formats+=" pdf xlsx png"
            COMPREPLY=($(compgen -W "$formats" -- "$cur"))
            return
            ;;
        --encoding)
            COMPREPLY=($(compgen -W "utf-8 cp932" -- "$cur"))
            return
            ;;
        --enabled-options)
            COMPREPLY=($(compgen -W "$(echo {0..12})" -- "$cur"))
            return
            ;;
        --guarantee)
            COMPREPLY=($(compgen -W "2/2 3/3 3/4 3/5 4/4 4/5 5/5" -- "$cur"))
            return
            ;;
    esac
    # Any other value (a number, a list, an address) has nothing to offer.
    [[ " $_pomuran_cli_value_options " == *" $prev "* ]] && return

    local next
    next=$(_pomuran_cli_words "$command")
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "$(printf '%s\n' $next | grep -- '^-')" -- "$cur"))
        return
    fi
    case "$command" in
        import) _filedir csv ;;
        show)
            # Window names come from the program itself, so new windows complete too.
            local IFS=$'\n'
            COMPREPLY=($(compgen -W "$("${words[0]}" list 2>/dev/null)" -- "$cur"))
            ;;
        *) COMPREPLY=($(compgen -W "$(printf '%s\n' $next | grep -v -- '^-')" -- "$cur")) ;;
    esac
} &&
    complete -F _pomuran_cli pomuran-cli
