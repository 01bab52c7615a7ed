#include "render/shaders.h"

#include <GL/glcorearb.h>

#include <string>
#include <string_view>

#include "render/vertex_attributes.h"

namespace zv {
namespace {

// Vertex stage: transform, the fixed-function lighting equations (camera space, normals through
// the inverse transpose and not renormalised, local viewer for specular), texture-coordinate
// generation. Screen coordinates map onto pixel edges, so a quad from x 36 to 60 covers pixels
// 36..59 whatever the rasteriser's rule for ties. It follows the constants vertexLayout (0 model,
// 1 lit, 2 screen), lighting, coordSource and coordTransformed that `programHeader` puts before it.
constexpr std::string_view kFixedVertex = R"(
layout(location = 0) in vec4 inPosition;
layout(location = 1) in vec3 inNormal;
layout(location = 2) in vec4 inDiffuse;
layout(location = 3) in vec4 inSpecular;
layout(location = 4) in vec2 inUv;

uniform mat4 worldView;
uniform mat4 projection;
uniform mat3 normalMatrix;
uniform vec4 viewport;      // x, y, width, height in pixels from the top left
uniform vec4 globalAmbient;
uniform vec4 materialDiffuse, materialAmbient, materialSpecular, materialEmissive;
uniform float materialPower;
uniform bool lightEnabled;
uniform vec3 lightToward;
uniform vec4 lightDiffuse, lightSpecular, lightAmbient;
uniform mat4 texTransform[2];

out vec4 diffuseColour;
out vec4 specularColour;
out vec2 stageUv0;
out vec2 stageUv1;

vec2 stageCoordinates(int stage, vec3 cameraNormal) {
  vec4 source = coordSource[stage] == 1 ? vec4(cameraNormal, 1.0) : vec4(inUv, 1.0, 0.0);
  if (coordTransformed[stage]) {
    return (texTransform[stage] * source).xy;
  }
  return coordSource[stage] == 1 ? cameraNormal.xy : inUv;
}

void main() {
  bool hasNormal = vertexLayout == 0;
  bool hasColours = vertexLayout != 0;
  vec3 cameraNormal = hasNormal ? normalMatrix * inNormal : vec3(0.0);
  vec4 vertexDiffuse = hasColours ? inDiffuse : vec4(1.0);
  vec4 vertexSpecular = hasColours ? inSpecular : vec4(0.0);
  if (vertexLayout == 2) {
    float w = inPosition.w > 0.0 ? 1.0 / inPosition.w : 1.0;
    vec2 ndc = vec2((inPosition.x - viewport.x) / viewport.z * 2.0 - 1.0,
                    1.0 - (inPosition.y - viewport.y) / viewport.w * 2.0);
    gl_Position = vec4(ndc, inPosition.z * 2.0 - 1.0, 1.0) * w;
    diffuseColour = vertexDiffuse;
    specularColour = vertexSpecular;
  } else {
    vec4 cameraPosition = worldView * vec4(inPosition.xyz, 1.0);
    vec4 clip = projection * cameraPosition;
    clip.z = clip.z * 2.0 - clip.w;
    gl_Position = clip;
    if (lighting) {
      vec4 materialColour = hasColours ? vertexDiffuse : materialDiffuse;
      vec4 specularMaterial = hasColours ? vertexSpecular : materialSpecular;
      vec3 ambient = materialAmbient.rgb * (globalAmbient.rgb + (lightEnabled ? lightAmbient.rgb : vec3(0.0)));
      vec3 diffuse = vec3(0.0);
      vec3 specular = vec3(0.0);
      float facing = dot(cameraNormal, lightToward);
      if (lightEnabled && hasNormal && facing > 0.0) {
        diffuse = materialColour.rgb * lightDiffuse.rgb * facing;
        vec3 halfway = normalize(normalize(-cameraPosition.xyz) + lightToward);
        float highlight = max(dot(cameraNormal, halfway), 0.0);
        if (materialPower > 0.0) {
          specular = specularMaterial.rgb * lightSpecular.rgb * pow(highlight, materialPower);
        }
      }
      diffuseColour = vec4(clamp(materialEmissive.rgb + ambient + diffuse, 0.0, 1.0), clamp(materialColour.a, 0.0, 1.0));
      specularColour = vec4(clamp(specular, 0.0, 1.0), 1.0);
    } else {
      diffuseColour = vertexDiffuse;
      specularColour = vertexSpecular;
    }
  }
  stageUv0 = stageCoordinates(0, cameraNormal);
  stageUv1 = stageCoordinates(1, cameraNormal);
}
)";

// Fragment stage: the two-stage texture cascade, then the specular sum. It follows the constants
// colourStage, alphaStage (operation, argument 1, argument 2 per stage), hasTexture and
// specularEnable that `programHeader` puts before it.
constexpr std::string_view kFixedFragment = R"(
in vec4 diffuseColour;
in vec4 specularColour;
in vec2 stageUv0;
in vec2 stageUv1;

uniform sampler2D stageSampler0;
uniform sampler2D stageSampler1;

out vec4 fragmentColour;

vec4 argument(int which, vec4 current, vec4 texel) {
  if (which == 0) return diffuseColour;
  if (which == 1) return current;
  return texel;
}

vec4 combine(int operation, vec4 first, vec4 second) {
  if (operation == 1) return first;
  if (operation == 2) return second;
  if (operation == 3) return first * second;
  if (operation == 4) return clamp(first * second * 2.0, 0.0, 1.0);
  return clamp(first + second, 0.0, 1.0);
}

vec4 applyStage(int stage, vec4 current, vec4 texel) {
  ivec3 c = colourStage[stage];
  ivec3 a = alphaStage[stage];
  vec3 colour = combine(c.x, argument(c.y, current, texel), argument(c.z, current, texel)).rgb;
  float alpha = a.x == 0 ? current.a : combine(a.x, argument(a.y, current, texel), argument(a.z, current, texel)).a;
  return vec4(colour, alpha);
}

void main() {
  vec4 current = diffuseColour;
  if (colourStage[0].x != 0) {
    current = applyStage(0, current, hasTexture[0] ? texture(stageSampler0, stageUv0) : vec4(1.0));
    if (colourStage[1].x != 0) {
      current = applyStage(1, current, hasTexture[1] ? texture(stageSampler1, stageUv1) : vec4(1.0));
    }
  }
  if (specularEnable) {
    current.rgb = min(current.rgb + specularColour.rgb, vec3(1.0));
  }
  fragmentColour = current;
}
)";

// The painting layer: a quad over `area` with premultiplied texels.
constexpr std::string_view kOverlayVertex = R"(#version 330 core
uniform vec4 area;
out vec2 uv;
void main() {
  vec2 corner = vec2(gl_VertexID & 1, gl_VertexID >> 1);
  uv = area.xy + corner * area.zw;
  gl_Position = vec4(uv.x * 2.0 - 1.0, 1.0 - uv.y * 2.0, 0.0, 1.0);
}
)";

constexpr std::string_view kOverlayFragment = R"(#version 330 core
in vec2 uv;
uniform sampler2D overlay;
out vec4 fragmentColour;
void main() { fragmentColour = texture(overlay, uv); }
)";

// The choices as GLSL constants, after the version line.
std::string programHeader(const ProgramChoices& choices) {
  const auto flag = [](bool on) { return std::string(on ? "true" : "false"); };
  const auto triple = [](const std::array<int, 3>& t) {
    return "ivec3(" + std::to_string(t[0]) + ", " + std::to_string(t[1]) + ", " + std::to_string(t[2]) + ")";
  };
  std::string header = "#version 330 core\n";
  header += "const int vertexLayout = " + std::to_string(choices.vertexLayout) + ";\n";
  header += "const bool lighting = " + flag(choices.lighting) + ";\n";
  header += "const int coordSource[2] = int[2](" + std::to_string(choices.coordSource[0]) + ", " +
            std::to_string(choices.coordSource[1]) + ");\n";
  header += "const bool coordTransformed[2] = bool[2](" + flag(choices.coordTransformed[0]) + ", " +
            flag(choices.coordTransformed[1]) + ");\n";
  header += "const ivec3 colourStage[2] = ivec3[2](" + triple(choices.colourStage[0]) + ", " +
            triple(choices.colourStage[1]) + ");\n";
  header += "const ivec3 alphaStage[2] = ivec3[2](" + triple(choices.alphaStage[0]) + ", " +
            triple(choices.alphaStage[1]) + ");\n";
  header += "const bool hasTexture[2] = bool[2](" + flag(choices.hasTexture[0]) + ", " +
            flag(choices.hasTexture[1]) + ");\n";
  header += "const bool specularEnable = " + flag(choices.specular) + ";\n";
  return header;
}

unsigned compile(GLenum kind, std::string_view source, std::string& error) {
  const GLuint shader = glCreateShader(kind);
  const char* text = source.data();
  const GLint length = static_cast<GLint>(source.size());
  glShaderSource(shader, 1, &text, &length);
  glCompileShader(shader);
  GLint ok = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (ok != GL_TRUE) {
    char log[2048] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    error = log;
    glDeleteShader(shader);
    return 0;
  }
  return shader;
}

unsigned link(std::string_view vertexSource, std::string_view fragmentSource, std::string& error) {
  const GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource, error);
  if (vertex == 0) {
    return 0;
  }
  const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource, error);
  if (fragment == 0) {
    glDeleteShader(vertex);
    return 0;
  }
  const GLuint program = glCreateProgram();
  glAttachShader(program, vertex);
  glAttachShader(program, fragment);
  glLinkProgram(program);
  glDeleteShader(vertex);
  glDeleteShader(fragment);
  GLint ok = GL_FALSE;
  glGetProgramiv(program, GL_LINK_STATUS, &ok);
  if (ok != GL_TRUE) {
    char log[2048] = {};
    glGetProgramInfoLog(program, sizeof log, nullptr, log);
    error = log;
    glDeleteProgram(program);
    return 0;
  }
  return program;
}

}  // namespace

bool buildFixedFunctionProgram(FixedFunctionProgram& p, const ProgramChoices& choices, std::string& error) {
  p = FixedFunctionProgram{};
  p.choices = choices;
  const std::string header = programHeader(choices);
  p.program = link(header + std::string(kFixedVertex), header + std::string(kFixedFragment), error);
  if (p.program == 0) {
    return false;
  }
  const auto at = [&](const char* name) { return glGetUniformLocation(p.program, name); };
  p.worldView = at("worldView");
  p.projection = at("projection");
  p.normalMatrix = at("normalMatrix");
  p.viewport = at("viewport");
  p.globalAmbient = at("globalAmbient");
  p.materialDiffuse = at("materialDiffuse");
  p.materialAmbient = at("materialAmbient");
  p.materialSpecular = at("materialSpecular");
  p.materialEmissive = at("materialEmissive");
  p.materialPower = at("materialPower");
  p.lightEnabled = at("lightEnabled");
  p.lightToward = at("lightToward");
  p.lightDiffuse = at("lightDiffuse");
  p.lightSpecular = at("lightSpecular");
  p.lightAmbient = at("lightAmbient");
  const char* const transforms[] = {"texTransform[0]", "texTransform[1]"};
  const char* const samplers[] = {"stageSampler0", "stageSampler1"};
  for (int stage = 0; stage < 2; ++stage) {
    p.texTransform[stage] = at(transforms[stage]);
    p.sampler[stage] = at(samplers[stage]);
  }
  return true;
}

bool buildOverlayProgram(OverlayProgram& p, std::string& error) {
  p.program = link(kOverlayVertex, kOverlayFragment, error);
  if (p.program == 0) {
    return false;
  }
  p.sampler = glGetUniformLocation(p.program, "overlay");
  p.area = glGetUniformLocation(p.program, "area");
  return true;
}

}  // namespace zv
