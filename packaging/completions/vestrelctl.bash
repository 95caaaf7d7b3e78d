# bash completion for vestrelctl
_vestrelctl_complete()
{
    # Plain COMP_WORDS, so that it needs nothing of bash-completion; words
    # are split at blanks only, so that KEY=VALUE stays one word.
    local line=${COMP_LINE:0:COMP_POINT}
    local -a words
    read -ra words <<<"$line"
    [[ $line == *" " ]] && words+=("")
    local cword=$((${#words[@]} - 1))
    local cur=${words[cword]} prev=${words[cword - 1]}

    local commands="help describe status profiles show select add delete rename reset set
        export-profile import-profile macros guns import export trace apply"
    local keys="rate= dpi.levels= dpi.current= liftoff= liftoff.enabled= response=
        light.mode= light.brightness= light.speed= light.length= light.colour=
        light.colourmode= pointer.speed= pointer.scroll= pointer.doubleclick=
        pointer.precision= pointer.onepage= buttonset="
    local i
    for i in 1 2 3 4 5 6 7 8; do
        keys+=" dpi.$i= dpi.$i.step= dpi.$i.colour= light.cycle.$i="
    done
    for i in $(seq 1 16); do
        keys+=" button.office.$i= button.game.$i="
    done

    # The command is the first word that is no option or option value.
    local command="" j
    local -a ctl=(vestrelctl)
    for ((j = 1; j < cword; j++)); do
        case ${words[j]} in
        --program-dir) ctl+=(--program-dir "${words[j + 1]}"); ((j++)) ;;
        --driver) ((j++)) ;;
        -*) ;;
        *) command=${words[j]}; break ;;
        esac
    done

    case $prev in
    --program-dir) COMPREPLY=($(compgen -d -- "$cur")); return ;;
    --driver) COMPREPLY=($(compgen -W "hidraw virtual" -- "$cur")); return ;;
    --profile)
        local IFS=$'\n'
        COMPREPLY=($(compgen -W "$("${ctl[@]}" profiles 2>/dev/null | cut -f1)" -- "$cur"))
        return ;;
    esac

    if [[ -z $command ]]; then
        if [[ $cur == -* ]]; then
            COMPREPLY=($(compgen -W "--help --version --program-dir --driver" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "$commands" -- "$cur"))
        fi
        return
    fi

    case $command in
    help) COMPREPLY=($(compgen -W "$commands" -- "$cur")) ;;
    set)
        if [[ $cur == *=* ]]; then
            local key=${cur%%=*} value=${cur#*=} values=""
            case $key in
            rate) values="125 250 500 1000" ;;
            light.mode) values="off steady breathing neon spectrum reactive marquee trail flash wave colour-shift rainbow" ;;
            light.colourmode) values="fixed cycle" ;;
            buttonset) values="office game" ;;
            liftoff.enabled | pointer.precision | pointer.onepage) values="on off" ;;
            button.*) values="$("${ctl[@]}" help set 2>/dev/null | sed -n '/^button functions:/{n;p}') shortcut: macro: gun:" ;;
            esac
            COMPREPLY=($(compgen -P "$key=" -W "$values" -- "$value"))
        else
            COMPREPLY=($(compgen -W "--profile --apply $keys" -- "$cur"))
            compopt -o nospace 2>/dev/null
        fi ;;
    show) COMPREPLY=($(compgen -W "--profile --json" -- "$cur")) ;;
    status | macros | guns) COMPREPLY=($(compgen -W "--json" -- "$cur")) ;;
    select | delete | rename | reset | export-profile)
        local IFS=$'\n'
        COMPREPLY=($(compgen -W "$("${ctl[@]}" profiles 2>/dev/null | cut -f3)" -- "$cur")) ;;
    export)
        if [[ $prev == export ]]; then
            COMPREPLY=($(compgen -W "macro gun macro-folder gun-folder" -- "$cur"))
        else
            COMPREPLY=($(compgen -W "--locked" -- "$cur") $(compgen -f -- "$cur"))
        fi ;;
    import) COMPREPLY=($(compgen -W "--folder" -- "$cur") $(compgen -f -- "$cur")) ;;
    import-profile) COMPREPLY=($(compgen -f -- "$cur")) ;;
    trace | apply) COMPREPLY=($(compgen -W "--profile" -- "$cur")) ;;
    esac
}
_vestrelctl()
{
    _vestrelctl_complete
    # Bash replaces only what follows the last '=' of the word.
    local line=${COMP_LINE:0:COMP_POINT}
    local cur=${line##*[[:blank:]]}
    if [[ $cur == *=* && $COMP_WORDBREAKS == *=* ]]; then
        COMPREPLY=("${COMPREPLY[@]#"${cur%=*}="}")
    fi
}
complete -F _vestrelctl vestrelctl
