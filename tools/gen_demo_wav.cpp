// Writes the demo music: four seconds of a synthesized drum beat at 120 beats per minute
// (kick, snare, hi-hat and a plucked bass), 22.05 kHz 16-bit mono.
// Usage: gen_demo_wav [OUTPUT.wav]   (default UserFile/Wave/demo_beat.wav)
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <vector>

#include "files/common/atomic_write.h"
#include "files/wav/wav_format.h"

namespace {

constexpr int kRate = 22050;
constexpr double kSeconds = 4.0;
constexpr double kBeat = 0.5;  // seconds at 120 beats per minute

// A fixed pseudo-random sequence, so the generated file is the same on every run.
class Noise {
 public:
  double next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<double>(state_ >> 8) / static_cast<double>(1u << 24) * 2.0 - 1.0;
  }

 private:
  std::uint32_t state_ = 12345;
};

// A kick: a sine falling from 120 Hz to 45 Hz, fading over a quarter second.
double kick(double t) {
  // The phase is the integral of the falling frequency 45 + 75 e^(-30 t).
  double phase = 2 * std::numbers::pi * (45.0 * t + 75.0 * (1.0 - std::exp(-t * 30.0)) / 30.0);
  return std::sin(phase) * std::exp(-t * 9.0);
}

double snare(double t, double noise) {
  return (0.6 * noise + 0.4 * std::sin(2 * std::numbers::pi * 185.0 * t)) * std::exp(-t * 18.0);
}

double hat(double t, double noiseStep) {
  return noiseStep * std::exp(-t * 90.0);
}

// A plucked bass note: a few harmonics dying away.
double bass(double t, double frequency) {
  double tone =
      std::sin(2 * std::numbers::pi * frequency * t) + 0.3 * std::sin(4 * std::numbers::pi * frequency * t);
  return tone * std::exp(-t * 5.0);
}

std::vector<std::uint8_t> synthesize() {
  const int frames = static_cast<int>(kRate * kSeconds);
  const double bassNotes[] = {55.0, 55.0, 65.41, 49.0};  // A, A, C, G: one per bar half
  Noise noise;
  double previousNoise = 0.0;
  std::vector<std::uint8_t> data;
  for (int i = 0; i < frames; ++i) {
    double t = static_cast<double>(i) / kRate;
    int beat = static_cast<int>(t / kBeat);
    double inBeat = t - beat * kBeat;
    double inEighth = std::fmod(t, kBeat / 2);
    double white = noise.next();
    double mix = 0.0;
    mix += beat % 2 == 0 ? 0.6 * kick(inBeat) : 0.5 * snare(inBeat, white);
    mix += 0.25 * hat(inEighth, white - previousNoise);
    mix += 0.25 * bass(std::fmod(t, 2 * kBeat), bassNotes[(beat / 2) % 4]);
    previousNoise = white;
    auto sample = static_cast<std::int16_t>(std::lround(std::clamp(mix, -1.0, 1.0) * 30000.0));
    data.push_back(static_cast<std::uint8_t>(sample & 0xFF));
    data.push_back(static_cast<std::uint8_t>((sample >> 8) & 0xFF));
  }
  return data;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path output = argc > 1 ? argv[1] : "UserFile/Wave/demo_beat.wav";
  std::vector<std::uint8_t> data = synthesize();
  if (!zv::writeFileAtomically(output, zv::wavFileBytes(zv::pcmFormat(1, kRate, 16), data))) {
    std::fprintf(stderr, "gen_demo_wav: cannot write %s\n", output.c_str());
    return 1;
  }
  return 0;
}
