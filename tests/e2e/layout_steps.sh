# shellcheck shell=bash
# The keyboard layouts' steps, for a test on an X server and one under a Wayland compositor: a
# letter key gives its card whatever Shift or AltGr make it type, a main-row digit key its digit.
# Every step changes the card it follows (each layout starts with a digit, never the start card),
# so a key that is lost cannot pass unseen.
# layout (setxkbmap arguments) | screenshot name | key codes the program must see | xdotool keys
# shellcheck disable=SC2034 # read by the test that sources this
readonly STEPS=(
  "de|de-one|49|10"
  "de|de-altgr-q|81|ISO_Level3_Shift+24"
  "de|de-two|50|11"
  "de|de-altgr-e|69|ISO_Level3_Shift+26"
  "de|de-z-key|90|29"
  "de|de-y-key|89|52"
  "de|de-shift-z-key|90|shift+29"
  "de|de-altgr-z-key|90|ISO_Level3_Shift+29"
  "fr|fr-ampersand-key|49|10"
  "fr|fr-shift-2|50|shift+11"
  "fr|fr-a-key|65|24"
  "fr|fr-eacute-key|50|11"
  "fr|fr-apostrophe-key|52|13"
  "fr|fr-altgr-e|69|ISO_Level3_Shift+26"
  "fr|fr-altgr-a-key|65|ISO_Level3_Shift+24"
  "tr|tr-one|49|10"
  "tr|tr-i|73|48"
  "tr|tr-two|50|11"
  "tr|tr-shift-i|73|shift+48"
  "tr|tr-three|51|12"
  "tr|tr-dotless-i|73|31"
  "tr|tr-four|52|13"
  "tr|tr-shift-dotless-i|73|shift+31"
  "ru|ru-one|49|10"
  "ru|ru-short-i|81|24"
  "ru|ru-ef|65|38"
  "ru|ru-shift-short-i|81|shift+24"
  "us -variant dvorak|dvorak-one|49|10"
  "us -variant dvorak|dvorak-a|65|38"
  "us -variant dvorak|dvorak-o|79|39"
  "us -variant dvorak|dvorak-e|69|40"
  "us -variant dvorak|dvorak-t|84|45"
  "us -variant dvorak|dvorak-two|50|11"
  "us -variant dvorak|dvorak-shift-t|84|shift+45"
)

