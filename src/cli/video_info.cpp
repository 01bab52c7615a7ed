#include "cli/video_info.h"

#include "cli/cli_output.h"
#include "cli/json_writer.h"
#include "media/background_video.h"
#include "port/video/video_file_info.h"

namespace zv::cli {
namespace {

// A picture lasting 33 ms (sample 1 at 33 ms) marks a video that plays frame for frame with the
// animation, as the background loader decides it.
bool frameLocked(const port::VideoStreamInfo& stream) {
  return stream.rate > 0 && static_cast<std::int64_t>(stream.scale) * 1000 / stream.rate == 33;
}

void writeVideoStream(const port::VideoStreamInfo& stream, JsonWriter& json) {
  json.key("type").value("video");
  json.key("width").value(stream.width);
  json.key("height").value(stream.height);
  json.key("frameCount").value(stream.frameCount);
  json.key("frameLocked").value(frameLocked(stream));
}

void writeAudioStream(const port::VideoStreamInfo& stream, JsonWriter& json) {
  json.key("type").value("audio");
  json.key("channels").value(stream.channels);
  json.key("bitsPerSample").value(stream.bitsPerSample);
  json.key("sampleCount").value(stream.frameCount);
}

void writeStream(const port::VideoStreamInfo& stream, JsonWriter& json) {
  json.beginObject();
  if (stream.kind == port::VideoStreamInfo::Kind::Video) {
    writeVideoStream(stream, json);
  } else if (stream.kind == port::VideoStreamInfo::Kind::Audio) {
    writeAudioStream(stream, json);
  } else {
    json.key("type").value("other");
  }
  json.key("codec").value(stream.codecName);
  json.key("rate").value(stream.rate);
  json.key("scale").value(stream.scale);
  json.endObject();
}

}  // namespace

int infoVideo(const std::filesystem::path& path) {
  std::optional<port::VideoFileInfo> info = port::describeVideoFile(path);
  if (!info) {
    return refuse(kVideoCaption, kVideoNotFoundMessage);
  }
  JsonWriter json;
  json.beginObject();
  json.key("kind").value("video");
  json.key("container").value(info->container);
  json.key("streams").beginArray();
  for (const port::VideoStreamInfo& stream : info->streams) {
    writeStream(stream, json);
  }
  json.endArray();
  json.endObject();
  return printJson(json);
}

}  // namespace zv::cli
