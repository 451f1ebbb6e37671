// The biodata list: one row per encounter of the season while "Spara biodata" is on. The rows keep their
// numbers; they become text only when the list is written, so the hunt pays no formatting per encounter.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace vildo {

// The biodata list's header line.
constexpr const char* kBiodataHeader = "HT;MHT;DAG;Vecka;Totalt;Fälld (J/N);Kumul;Djur;Ålder/kons ålder);Taggar/kalvar";

// One encounter: its number of the season's budget, its hunting week and day, the animals shot in all (rounded
// when the encounter is recorded, so a damaged count fails the hunt where it did), whether the animal met was
// shot, then the animals of its category shot, the category ("Tjur", "Ko", "Kalv", a text with static
// lifetime), the age (the mother's for a calf), and the antler points, 0 for a cow, or the calves with the
// mother.
struct BiodataRow {
    int32_t huntTry = 0, maxTries = 0;
    int32_t week = 0, day = 0;
    int64_t totalShot = 0;
    bool shot = false;
    int64_t categoryShot = 0;
    const char* category = "";
    int32_t age = 0, last = 0;
};

// The row's text, without the line end: "HT;MHT;DAG;Vecka;Totalt;J|N;Kumul;Djur;Ålder;Taggar".
std::string biodataRow(const BiodataRow& row);
// Appends each row and its CRLF. The rows are ASCII, so the text is already Windows-1252.
void appendBiodataLines(std::string& out, const std::vector<BiodataRow>& rows);
// The header in Windows-1252 and its CRLF.
std::string biodataHeaderLine();

}  // namespace vildo
