# shellcheck shell=bash
# xdotool's key names as evdev key codes, for desktops that take raw keys (kwin, mutter's
# keysyms aside): the keys the matrix sends.

declare -gA DM_EVDEV_CODES=(
  [1]=2 [2]=3 [3]=4 [4]=5 [5]=6 [6]=7 [7]=8 [8]=9 [9]=10 [0]=11
  [q]=16 [w]=17 [e]=18 [r]=19 [t]=20 [y]=21 [u]=22 [i]=23 [o]=24 [p]=25
  [a]=30 [s]=31 [d]=32 [f]=33 [g]=34 [h]=35 [j]=36 [k]=37 [l]=38
  [z]=44 [x]=45 [c]=46 [v]=47 [b]=48 [n]=49 [m]=50
  [shift]=42 [ctrl]=29 [alt]=56 [super]=125 [F4]=62 [Escape]=1
)

# dm_evdev_chord alt+F4 -> 56+62
dm_evdev_chord() {
  local parts part codes=()
  IFS=+ read -r -a parts <<<"$1"
  for part in "${parts[@]}"; do
    codes+=("${DM_EVDEV_CODES[$part]:?no evdev code for $part}")
  done
  local IFS=+
  echo "${codes[*]}"
}
