# bash completion for halvoscope

# The running instance's preset ids, or the built-in ones when none runs.
_halvoscope_preset_ids()
{
    local ids
    ids=$(halvoscope --list 2>/dev/null | cut -c3- | cut -f1)
    [ -n "$ids" ] || ids="standard red-light candle black-white color-ink vivid"
    printf '%s\n' "$ids"
}

_halvoscope()
{
    local cur prev
    cur=${COMP_WORDS[COMP_CWORD]}
    prev=${COMP_WORDS[COMP_CWORD - 1]}
    if [ "$prev" = --preset ]; then
        mapfile -t COMPREPLY < <(compgen -W "$(_halvoscope_preset_ids)" -- "$cur")
        return
    fi
    mapfile -t COMPREPLY < <(compgen -W "--preset --show --list --quit --help --version" -- "$cur")
}

complete -F _halvoscope halvoscope
