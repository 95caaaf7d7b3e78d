# fish completion for vestrelctl

# vestrelctl on the program folder the command line names, if any.
function __vestrelctl_run
    set -l tokens (commandline -opc)
    set -l at (contains -i -- --program-dir $tokens)
    if test -n "$at"; and test (count $tokens) -gt $at
        vestrelctl --program-dir $tokens[(math $at + 1)] $argv 2>/dev/null
    else
        vestrelctl $argv 2>/dev/null
    end
end

function __vestrelctl_profiles
    __vestrelctl_run profiles | cut -f$argv[1]
end

# KEY= for the keys of set, or KEY=VALUE once the key is typed.
function __vestrelctl_settings
    set -l token (commandline -ct)
    if not string match -q -- '*=*' $token
        printf '%s=\n' rate dpi.levels dpi.current liftoff liftoff.enabled response light.mode \
            light.brightness light.speed light.length light.colour light.colourmode \
            pointer.speed pointer.scroll pointer.doubleclick pointer.precision pointer.onepage buttonset
        for i in (seq 8)
            printf '%s=\n' dpi.$i dpi.$i.step dpi.$i.colour light.cycle.$i
        end
        for i in (seq 16)
            printf '%s=\n' button.office.$i button.game.$i
        end
        return
    end
    set -l key (string replace -r '=.*' '' -- $token)
    set -l values
    switch $key
        case rate
            set values 125 250 500 1000
        case light.mode
            set values off steady breathing neon spectrum reactive marquee trail flash wave colour-shift rainbow
        case light.colourmode
            set values fixed cycle
        case buttonset
            set values office game
        case liftoff.enabled pointer.precision pointer.onepage
            set values on off
        case 'button.*'
            # The function names as vestrelctl itself lists them.
            set values (__vestrelctl_run help set | sed -n '/^button functions:/{n;p}' | string trim | string split ' ') shortcut: macro: gun:
    end
    printf "$key=%s\n" $values
end

# Each command with its description.
set -l entries 'help:This text, or what a command does' 'describe:The device description' \
    'status:Whether the mouse is there' 'profiles:The profiles' 'show:Every setting of a profile' \
    'select:Make a profile current' 'add:Add a profile' 'delete:Delete a profile' \
    'rename:Rename a profile' 'reset:Factory settings for a profile' 'set:Change settings' \
    'export-profile:Write a .pbin file' 'import-profile:Add a .pbin file' \
    'macros:The macro library' 'guns:The gun library' 'import:Add a macro or gun file' \
    'export:Write a macro, gun or folder' 'trace:Driver calls of an apply' 'apply:Apply a profile'
set -l commands (string replace -r ':.*' '' -- $entries)
set -l first "not __fish_seen_subcommand_from $commands"

complete -c vestrelctl -f
complete -c vestrelctl -n $first -s h -l help -d 'Show the commands'
complete -c vestrelctl -n $first -l version -d 'Show the version'
complete -c vestrelctl -n $first -l program-dir -r -a '(__fish_complete_directories)' -d 'Program folder'
complete -c vestrelctl -n $first -l driver -x -a 'hidraw virtual' -d 'Driver'
for entry in $entries
    set -l parts (string split -m1 : -- $entry)
    complete -c vestrelctl -n $first -a $parts[1] -d $parts[2]
end

complete -c vestrelctl -n "__fish_seen_subcommand_from help" -a "$commands"
complete -c vestrelctl -n "__fish_seen_subcommand_from show status macros guns" -l json -d 'JSON output'
complete -c vestrelctl -n "__fish_seen_subcommand_from show set" -l profile -x -a '(__vestrelctl_profiles 3)'
complete -c vestrelctl -n "__fish_seen_subcommand_from trace apply" -l profile -x -a '(__vestrelctl_profiles 1)'
complete -c vestrelctl -n "__fish_seen_subcommand_from set" -l apply -d 'Apply afterwards'
complete -c vestrelctl -n "__fish_seen_subcommand_from set" -a '(__vestrelctl_settings)'
complete -c vestrelctl -n "__fish_seen_subcommand_from select delete rename reset export-profile" -a '(__vestrelctl_profiles 3)'
set -l kinds macro gun macro-folder gun-folder
complete -c vestrelctl -n "__fish_seen_subcommand_from export; and not __fish_seen_subcommand_from $kinds" -a "$kinds"
complete -c vestrelctl -n "__fish_seen_subcommand_from $kinds" -l locked -d 'Mark locked'
complete -c vestrelctl -n "__fish_seen_subcommand_from import import-profile export-profile $kinds" -F
complete -c vestrelctl -n "__fish_seen_subcommand_from import" -l folder -x -d 'Into this folder'
