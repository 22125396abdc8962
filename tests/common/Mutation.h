#pragma once
// Deterministic damage to valid file images: byte changes, cuts, insertions, deletions
// and repeats, with the bytes that readers most often trip over.

#include <cstdint>
#include <random>
#include <string>

namespace kavelo::test {

class Mutator {
public:
    explicit Mutator(uint32_t seed) : rng_(seed) {}

    // One to four random edits of the image.
    std::string mutate(std::string s) {
        const int edits = 1 + static_cast<int>(below(4));
        for (int e = 0; e < edits; ++e) edit(s);
        return s;
    }

    uint32_t below(uint32_t n) { return n == 0 ? 0 : static_cast<uint32_t>(rng_() % n); }

private:
    char interesting() {
        static const char kBytes[] = {'\0', '\r', '\n', ',', '-', '+', ' ', '9', '0', 'x',
                                      '\x7f', '\x80', '\x81', '\x9f', '\xe0', '\xfc', '\xfd', '\xff'};
        return below(3) == 0 ? static_cast<char>(below(256)) : kBytes[below(sizeof kBytes)];
    }

    void edit(std::string& s) {
        const std::size_t n = s.size();
        switch (below(7)) {
            case 0:  // change a byte
            case 1:
                if (n) s[below(static_cast<uint32_t>(n))] = interesting();
                break;
            case 2:  // flip one bit
                if (n) s[below(static_cast<uint32_t>(n))] ^= static_cast<char>(1u << below(8));
                break;
            case 3:  // cut the end off
                s.resize(below(static_cast<uint32_t>(n + 1)));
                break;
            case 4: {  // insert a few bytes
                std::string ins(1 + below(8), '\0');
                for (char& c : ins) c = interesting();
                s.insert(below(static_cast<uint32_t>(n + 1)), ins);
                break;
            }
            case 5: {  // delete a range
                if (!n) break;
                const std::size_t at = below(static_cast<uint32_t>(n));
                s.erase(at, 1 + below(16));
                break;
            }
            default: {  // repeat a piece
                if (!n) break;
                const std::size_t at = below(static_cast<uint32_t>(n));
                const std::string piece = s.substr(at, 1 + below(64));
                s.insert(below(static_cast<uint32_t>(n + 1)), piece);
                break;
            }
        }
    }

    std::mt19937 rng_;
};

}  // namespace kavelo::test
