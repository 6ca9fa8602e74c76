#include "generated_timetable.h"

#include <array>
#include <cstdio>
#include <fstream>
#include <map>
#include <random>
#include <string>

namespace orbelquint::bench {
namespace {

constexpr std::array<const char*, 5> kDays = {"Maandag", "Dinsdag", "Woensdag", "Donderdag", "Vrijdag"};
constexpr std::array<const char*, 12> kSubjects = {"WIS", "NED", "FRA", "ENG", "FYS", "CHE",
                                                   "BIO", "GES", "AAR", "LO",  "INF", "GOD"};
constexpr std::array<const char*, 8> kTeachers = {"PEE", "VDB", "JAN", "MAE", "COO", "DUP", "SME", "WIL"};
constexpr std::array<const char*, 6> kRooms = {"B104", "A012", "C201", "C203", "SPH", "D003"};
constexpr std::array<const char*, 6> kTopics = {"Analyse",      "Nederlands",   "Practicum fysica",
                                                "Programmeren", "Geschiedenis", "Lichamelijke opvoeding"};
constexpr std::array<const char*, 4> kNotes = {"(labo: schort en veiligheidsbril meebrengen)",
                                               "(om de twee weken, zie planning)", "(sportkledij meebrengen)",
                                               "(leesdossier tegen week 48)"};
constexpr std::array<const char*, 4> kSeries = {"  ", " 1", " 2", " 3"};

template <class Items>
const char* Pick(std::mt19937& random, const Items& items) {
    return items[random() % items.size()];
}

void WriteTimetable(const std::filesystem::path& file, std::size_t bytes) {
    std::mt19937 random(20261208);
    std::ofstream out(file, std::ios::binary);
    out << "<html><head><title>Lesrooster 5WEWI</title></head><body>\r\n"
           "<h1> 5 Wetenschappen-Wiskunde </h1>\r\n<pre>\r\nuur vak  lkr van-tot lokaal "
           "omschrijving\r\n</pre>\r\n";
    char line[128];
    for (int day = 0; static_cast<std::size_t>(out.tellp()) < bytes; ++day) {
        out << "<h3>" << kDays[static_cast<std::size_t>(day) % kDays.size()] << ' ' << day / 5 + 1
            << "</h3><pre>";
        const int lessons = 6 + static_cast<int>(random() % 5);
        for (int hour = 1; hour <= lessons; ++hour) {
            const int from = 36 + static_cast<int>(random() % 15);
            const int to = from + static_cast<int>(random() % static_cast<unsigned>(53 - from));
            std::snprintf(line, sizeof line, "%-3d%-5s%-4s%2d-%2d %-6s%-30s%s\r\n", hour,
                          Pick(random, kSubjects), Pick(random, kTeachers), from, to, Pick(random, kRooms),
                          Pick(random, kTopics), Pick(random, kSeries));
            out << line;
            if (random() % 10 < 3) out << "               " << Pick(random, kNotes) << "\r\n";
        }
        out << "</pre>\r\n";
    }
    out << "<h3>Verklaring</h3><pre>\r\nPEE = mevr. Peeters      VDB = dhr. Van den Bossche\r\n</pre>\r\n"
           "</body></html>\r\n";
}

}  // namespace

const std::filesystem::path& GeneratedTimetable(std::size_t bytes) {
    static std::map<std::size_t, std::filesystem::path> made;
    auto [at, isNew] = made.try_emplace(bytes);
    if (isNew) {
        at->second =
            std::filesystem::temp_directory_path() / ("orbelquint-bench-" + std::to_string(bytes) + ".htm");
        WriteTimetable(at->second, bytes);
    }
    return at->second;
}

}  // namespace orbelquint::bench
