# fish completion for halvoscope

# The running instance's preset ids, or the built-in ones when none runs.
function __halvoscope_preset_ids
    set -l ids (halvoscope --list 2>/dev/null | string sub --start 3 | string split -f1 \t)
    if test (count $ids) -eq 0
        set ids standard red-light candle black-white color-ink vivid
    end
    printf '%s\n' $ids
end

complete -c halvoscope -f
complete -c halvoscope -s h -l help -d 'Display the help and exit'
complete -c halvoscope -s v -l version -d 'Display the version and exit'
complete -c halvoscope -l preset -x -a '(__halvoscope_preset_ids)' -d 'Activate the preset with this id'
complete -c halvoscope -l show -d 'Open the popover'
complete -c halvoscope -l list -d 'List the presets of the running instance'
complete -c halvoscope -l quit -d 'Quit the running instance, restoring every display'
