// Inverse kinematics by cyclic coordinate descent: each enabled chain turns its joints, nearest to
// the effector first, so that the effector bone reaches its IK bone.
#pragma once

#include <string_view>

#include "scene/document/model.h"

namespace zv {

// A knee bends about its X axis only, and to one side: its name starts with "左ひざ" or "右ひざ"
// (compared as Shift-JIS bytes).
bool isKneeName(std::string_view cp932Name);

// Solves one chain on a posed skeleton, rewriting the global transforms of its joints and effector.
void solveIkChain(Model& model, const IkChain& chain);

// Every enabled chain in file order; a later chain sees what earlier ones left.
void solveInverseKinematics(Model& model);

}  // namespace zv
