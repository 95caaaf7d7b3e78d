# fish completion for vestrelctl
set -l commands help describe status profiles show select add delete rename reset set export-profile import-profile macros guns import export trace apply

complete -c vestrelctl -f
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -s h -l help -d 'Show the commands'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -l version -d 'Show the version'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -l program-dir -r -a '(__fish_complete_directories)' -d 'Program folder'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -l driver -x -a 'hidraw virtual' -d 'Driver'

complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a help -d 'This text, or what a command does'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a describe -d 'The device description'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a status -d 'Whether the mouse is there'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a profiles -d 'The profiles'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a show -d 'Every setting of a profile'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a select -d 'Make a profile current'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a add -d 'Add a profile'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a delete -d 'Delete a profile'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a rename -d 'Rename a profile'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a reset -d 'Factory settings for a profile'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a set -d 'Change settings'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a export-profile -d 'Write a .pbin file'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a import-profile -d 'Add a .pbin file'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a macros -d 'The macro library'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a guns -d 'The gun library'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a import -d 'Add a macro or gun file'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a export -d 'Write a macro, gun or folder'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a trace -d 'Driver calls of an apply'
complete -c vestrelctl -n "not __fish_seen_subcommand_from $commands" -a apply -d 'Apply a profile'

complete -c vestrelctl -n "__fish_seen_subcommand_from help" -a "$commands"
complete -c vestrelctl -n "__fish_seen_subcommand_from show status macros guns" -l json -d 'JSON output'
complete -c vestrelctl -n "__fish_seen_subcommand_from show set" -l profile -x -a '(vestrelctl profiles 2>/dev/null | cut -f3)'
complete -c vestrelctl -n "__fish_seen_subcommand_from trace apply" -l profile -x -a '(vestrelctl profiles 2>/dev/null | cut -f1)'
complete -c vestrelctl -n "__fish_seen_subcommand_from set" -l apply -d 'Apply afterwards'
complete -c vestrelctl -n "__fish_seen_subcommand_from set" -a '(vestrelctl show 2>/dev/null | string match -v "name=*" | string replace -r "=.*" "=")'
complete -c vestrelctl -n "__fish_seen_subcommand_from select delete rename reset export-profile" -a '(vestrelctl profiles 2>/dev/null | cut -f3)'
complete -c vestrelctl -n "__fish_seen_subcommand_from export" -a 'macro gun macro-folder gun-folder'
complete -c vestrelctl -n "__fish_seen_subcommand_from export" -l locked -d 'Mark locked'
complete -c vestrelctl -n "__fish_seen_subcommand_from import import-profile export export-profile" -F
complete -c vestrelctl -n "__fish_seen_subcommand_from import" -l folder -x -d 'Into this folder'
