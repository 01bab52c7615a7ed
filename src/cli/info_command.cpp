#include "cli/info_command.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli/accessory_info.h"
#include "cli/cli_output.h"
#include "cli/json_writer.h"
#include "cli/model_info.h"
#include "cli/motion_info.h"
#include "cli/project_commands.h"
#include "cli/usage.h"
#include "cli/video_info.h"
#include "files/motion/pose_file.h"
#include "files/sequence/sequence_messages.h"
#include "files/sequence/sequence_reading.h"
#include "files/wav/wav_info.h"
#include "port/file_bytes.h"
#include "port/paths.h"
#include "scene/document/model_reader.h"

namespace zv::cli {
namespace {

std::string lowerExtension(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension;
}

int infoModel(std::filesystem::path path) {
  Model model;
  if (auto failure = readModelFile(path, port::executableDirectory(), model)) {
    return refuse(failure->caption, failure->message);
  }
  JsonWriter json;
  writeModelInfo(model, json);
  return printJson(json);
}

int infoPose(const std::filesystem::path& path) {
  int error = 0;
  const std::optional<std::string> read = port::readWholeFile(path, error);
  if (!read) {
    return refuse("ポーズデータ読込", "ファイルを開けません: " + path.string());
  }
  const std::string& text = *read;
  JsonWriter json;
  json.beginObject();
  json.key("kind").value("pose");
  // The third line names the model the pose was taken from: "name.osm;".
  std::size_t lineStart = 0;
  for (int line = 0; line < 2 && lineStart != std::string::npos; ++line) {
    lineStart = text.find('\n', lineStart);
    lineStart = lineStart == std::string::npos ? lineStart : lineStart + 1;
  }
  std::string modelLine =
      lineStart == std::string::npos ? "" : text.substr(lineStart, text.find('\n', lineStart) - lineStart);
  json.key("model").cp932(modelLine.substr(0, modelLine.find(".osm;")));
  json.key("bones").beginArray();
  for (const PoseFileEntry& entry : parsePoseFile(text)) {
    json.beginObject();
    json.key("name").cp932(entry.boneName);
    json.key("translation").value(entry.translation);
    json.key("rotation").value(entry.rotation);
    json.endObject();
  }
  json.endArray();
  json.endObject();
  return printJson(json);
}

int infoSequence(const std::filesystem::path& path) {
  int error = 0;
  const std::optional<std::string> bytes = port::readWholeFile(path, error);
  if (!bytes) {
    return refuse(kSequenceCaption, "ファイルを開けません: " + path.string());
  }
  SequenceReading reading = readSequence(*bytes);
  if (reading.failure != SequenceDumpFailure::None) {
    return refuse(kSequenceCaption, reading.failure == SequenceDumpFailure::SystemExclusive
                                        ? kSequenceSysExMessage
                                        : kSequenceMalformedMessage);
  }
  JsonWriter json;
  json.beginObject();
  json.key("kind").value("sequence");
  json.key("notes").beginArray();
  for (const SungNote& note : reading.notes) {
    json.beginObject();
    json.key("start").value(note.startSeconds);
    json.key("end").value(note.endSeconds);
    json.key("lyric").cp932(note.syllable.lyric);
    json.key("consonant").cp932(note.syllable.consonant);
    json.key("vowel").value(std::string_view(&note.syllable.vowel, 1));
    json.endObject();
  }
  json.endArray();
  json.key("noteList").cp932(formatNoteList(reading.notes));
  json.endObject();
  return printJson(json);
}

int infoWav(const std::filesystem::path& path) {
  WavInfo info = readWavInfo(path);
  if (!info.ok) {
    return refuse(info.caption, info.message);
  }
  std::fputs(wavInfoJson(info).c_str(), stdout);
  std::fputc('\n', stdout);
  return 0;
}

}  // namespace

int runInfo(std::span<const std::string_view> arguments) {
  if (arguments.size() != 1) {
    std::fputs(kUsage.data(), stderr);
    return kUsageError;
  }
  std::filesystem::path path(arguments[0]);
  std::string extension = lowerExtension(path);
  if (extension == ".tsm") {
    return infoModel(path);
  }
  if (extension == ".vmd") {
    return infoMotion(path);
  }
  if (extension == ".vpd") {
    return infoPose(path);
  }
  if (extension == ".vsq") {
    return infoSequence(path);
  }
  if (extension == ".wav") {
    return infoWav(path);
  }
  if (extension == ".x") {
    return infoXFile(path);
  }
  if (extension == ".vac") {
    return infoDescriptor(path);
  }
  if (extension == ".tsf") {
    return infoProject(path);
  }
  if (extension == ".avi") {
    return infoVideo(path);
  }
  std::fprintf(stderr, "zolvanta-cli: info does not know files of the kind '%s'\n", extension.c_str());
  return kUsageError;
}

}  // namespace zv::cli
