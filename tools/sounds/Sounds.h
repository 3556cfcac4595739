#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The app's sounds, synthesised: seven melodic calls, one in each of seven
// maqams, for the azan recordings "0.wav" to "6.wav", and soft chimes for the
// reminders and the events notice.
namespace sounds {

constexpr int kSampleRate = 12000;

struct Sound {
    std::string name;               // file name
    std::vector<std::int16_t> pcm;  // mono samples at kSampleRate
};

// The maqam of recording `index` (0 to 6).
const char* maqamName(int index);
std::vector<Sound> allSounds();
// A 16-bit PCM mono WAV file.
std::vector<std::uint8_t> wavFile(const std::vector<std::int16_t>& pcm);

} // namespace sounds
