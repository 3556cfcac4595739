// Writes the app's sounds: sounds OUT_DIR
#include "Sounds.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: sounds OUT_DIR\n");
        return 2;
    }
    for (const sounds::Sound& s : sounds::allSounds()) {
        const std::vector<std::uint8_t> bytes = sounds::wavFile(s.pcm);
        const std::string path = std::string(argv[1]) + "/" + s.name;
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            std::fprintf(stderr, "sounds: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    return 0;
}
