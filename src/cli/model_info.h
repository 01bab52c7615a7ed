// `info` for a model file: everything the reader took from it, as JSON.
#pragma once

#include "cli/json_writer.h"
#include "scene/document/model.h"

namespace zv::cli {

void writeModelInfo(const Model& model, JsonWriter& json);

}  // namespace zv::cli
