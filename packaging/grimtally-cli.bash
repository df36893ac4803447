# bash completion for grimtally-cli                                 -*- shell-script -*-

_grimtally_cli()
{
    local cur prev words cword split
    _init_completion -s || return

    local command="" i
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
            check | export | import | stats | generate)
                command=${words[i]}
                break
                ;;
        esac
    done
    if [[ -z $command ]]; then
        COMPREPLY=($(compgen -W 'check export import stats generate -h --help -v --version' \
            -- "$cur"))
        return
    fi

    case $prev in
        --kind)
            COMPREPLY=($(compgen -W 'data choices language settings' -- "$cur"))
            return
            ;;
        --format)
            COMPREPLY=($(compgen -W 'json csv md html' -- "$cur"))
            return
            ;;
        --per-page)
            COMPREPLY=($(compgen -W '0 1 2' -- "$cur"))
            return
            ;;
        --count | --seed | --name)
            return
            ;;
        -o | --output | --language | --choices | --settings)
            _filedir
            return
            ;;
    esac
    $split && return

    if [[ $cur == -* ]]; then
        local options=""
        case $command in
            check) options='--kind' ;;
            export) options='--format -o --output --language --per-page --bom' ;;
            import) options='-o --output --merge' ;;
            generate) options='--count --choices --settings -o --output --seed --language --name' ;;
        esac
        COMPREPLY=($(compgen -W "$options -h --help" -- "$cur"))
        return
    fi
    case $command in
        import) _filedir json ;;
        generate) ;;
        *) _filedir ;;
    esac
} &&
    complete -F _grimtally_cli grimtally-cli

# ex: filetype=sh
