# The window's controls that the scripts drive, in client-area pixels: left top width height, as
# the window's definition places them (tests/app/tst_window checks each line against it). Names
# are the controls' own, without the brackets of an array's index. Sourced by soak.sh, bench.sh,
# screenshot.sh and check-package.sh; plain sh, as check-package.sh runs it in a fresh root.
picScreenColor="32 310 33 33"
picColor0="334 22 258 258"
Label1="21 355 57 17"
Label4="273 286 37 17"
Label5="273 334 37 17"
Label6="274 382 36 17"
Text7="104 284 161 19"

# The middle of a control: `centre Label4` prints "x y".
centre() {
    eval "set -- \$$1"
    echo $(($1 + $3 / 2)) $(($2 + $4 / 2))
}
