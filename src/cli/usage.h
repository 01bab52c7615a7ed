// The command-line tool's help text and exit codes.
#pragma once

#include <string_view>

namespace zv::cli {

inline constexpr int kRefused = 1;     // an input was refused; the program's message is on stderr
inline constexpr int kUsageError = 2;  // the command line itself was wrong

inline constexpr std::string_view kUsage =
    "usage: zolvanta-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands (JSON on stdout; exit 0 on success, 1 when an input is refused with the program's\n"
    "message on stderr, 2 for usage errors):\n"
    "\n"
    "  info FILE     describe a file the program reads:\n"
    "                  .tsm  model: name, comment, counts, materials, bones, IK chains, morphs,\n"
    "                        morph list, timeline groups and bone rows\n"
    "                  .vmd  motion: version, model name, bone, morph, camera and light keys\n"
    "                        with their values and curves\n"
    "                  .vpd  pose: model name, bones with translation and rotation\n"
    "                  .vsq  sequence: the notes with start and end in seconds, lyric,\n"
    "                        consonant and vowel, and the note list as the import writes it\n"
    "                  .wav  sound: format, data size, waveform column count and the\n"
    "                        columns' minimum and maximum rows\n"
    "                  .x    prop: the frame tree (names, local matrices), meshes with vertex\n"
    "                        and index counts, materials with colours, power, texture name and\n"
    "                        their run of the index list\n"
    "                  .vac  prop descriptor: X file name, scale, position, rotation, shadow,\n"
    "                        and as \"x\" the tree of that X file (null with \"xFailure\" when it\n"
    "                        cannot be read)\n"
    "                  .avi  video: container and streams (codec, rate/scale, frame count,\n"
    "                        picture size and whether it is frame-locked at 30 fps; audio\n"
    "                        channels, bits and sample count)\n"
    "                .x and .vac files not found are looked for under UserFile/Accessory\n"
    "  sample --model M.tsm [--motion V.vmd]... [--pose P.vpd] (--frame N | --time SECONDS)\n"
    "         [--vertices]\n"
    "                load the model as the current model, load each motion at frame 0 as the\n"
    "                program does (a motion for another model is taken bone by bone), sample\n"
    "                its tracks (--frame: as editing does at frame N; --time: as playback does\n"
    "                at that time), apply the pose file, pose the model with the eye at\n"
    "                (0, 0, -35) and print visibility, IK switches, every bone (key translation\n"
    "                and rotation, head position, global transform row by row) and morph\n"
    "                weight; --vertices adds the skinned vertices and outline positions\n"
    "  lipsync --model M.tsm --vsq S.vsq [--out K.vmd]\n"
    "                mouth keys for the notes of a sequence file, as the window makes them\n"
    "                (the note list S.txt is written beside it); prints the keys made\n"
    "  blink --model M.tsm --from A --to B [--out K.vmd]\n"
    "                random blinks between frames A and B; prints the keys made\n"
    "                --out (lipsync, blink): also writes the keys made to a motion file for\n"
    "                the model, at the frames they were made at, and still prints the JSON;\n"
    "                the file is replaced whole or, when it cannot be written, left as it was\n"
    "  --help        show this text\n"
    "\n"
    "Names are converted from Shift-JIS to UTF-8 (an undecodable byte becomes U+FFFD); floats\n"
    "print with 9 significant digits. A question the program would ask is answered OK; any other\n"
    "message it would show is printed on stderr as \"caption: text\".\n";

}  // namespace zv::cli
