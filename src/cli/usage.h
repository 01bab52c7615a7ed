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
    "                  .wav  sound: format, data size, waveform column count and the\n"
    "                        columns' minimum and maximum rows\n"
    "  sample --model M.tsm [--motion V.vmd]... [--pose P.vpd] (--frame N | --time SECONDS)\n"
    "         [--vertices]\n"
    "                load the model as the current model, load each motion at frame 0 as the\n"
    "                program does (a motion for another model is taken bone by bone), sample its\n"
    "                tracks (--frame: as editing\n"
    "                does at frame N; --time: as playback does at that time), pose it with the\n"
    "                pose file applied after sampling) with the eye at (0, 0, -35) and print\n"
    "                visibility, IK switches, every bone (key\n"
    "                translation and rotation, head position, global transform row by row) and\n"
    "                morph weight; --vertices adds the skinned vertices and outline positions\n"
    "  --help        show this text\n"
    "\n"
    "Names are converted from Shift-JIS to UTF-8; floats print with 9 significant digits.\n";

}  // namespace zv::cli
