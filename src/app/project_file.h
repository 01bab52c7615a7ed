// Saving the scene to a project file and opening one, with the window's menu commands around
// them: "開く(&O)", "上書き保存(&S)" and "名前を付けて保存(&A)".
#pragma once

#include <string_view>

#include "app/frame_systems.h"
#include "files/project/project_records.h"
#include "scene/document/scene.h"

namespace zv {

inline constexpr std::string_view kProjectFilterDescription = "TesseraSceneForge files(*.tsf)";
inline constexpr std::string_view kProjectUnsavableMessage = "ファイルが保存できません:%d";
inline constexpr std::string_view kProjectUnreadableMessage = "ファイルが読み込めません:%d";

// The scene as the project file stores it. The video and image paths of backgrounds that are not
// open are emptied in the scene too, and the play range is read from its boxes.
ProjectFile collectProject(Scene& scene, FrameSystems& systems);

// Writes the scene to scene.projectPath through a temporary file renamed into place. Only a
// whole save clears `modified` and sets the window title; a failed one keeps the old file and
// `modified` and tells the user.
bool saveProject(Scene& scene, FrameSystems& systems);

// Replaces the scene with the project at scene.projectPath. A file that cannot be opened or is not
// a project of this version leaves the scene as it was; once the header is accepted, a load that
// cannot finish (a model missing, a prop not found and not substituted, damaged data) leaves a new
// scene. False after every refusal has been shown.
bool loadProject(Scene& scene, FrameSystems& systems);

// The open dialog, then the load.
bool openProjectFromDialog(Scene& scene, FrameSystems& systems);
// "開く(&O)": with unsaved changes the user is asked first; Cancel leaves the scene untouched.
bool openProjectCommand(Scene& scene, FrameSystems& systems);
// "上書き保存(&S)": saves to projectPath, or asks for a name first when there is none.
bool saveProjectCommand(Scene& scene, FrameSystems& systems);
// "名前を付けて保存(&A)": the save dialog, then the save.
bool saveProjectAs(Scene& scene, FrameSystems& systems);

}  // namespace zv
