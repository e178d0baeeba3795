// quintrel-tcd-build: writes the world tide file through libtcd, so that the program reads
// it with the same reader as Debian's xtide-data.
//
//   quintrel-tcd-build --ids BASE.tcd
//       prints "context<TAB>id" for each tide station of BASE (current stations left out)
//   quintrel-tcd-build BASE.tcd STATIONS.tsv OUTPUT.tcd
//       writes OUTPUT from the stations that scripts/world-tides/extract.mjs wrote
//   quintrel-tcd-build --station FILE.tcd ID YEAR
//       prints the reference station ID's constants with the year's equilibrium arguments
//       and node factors (for scripts/world-tides/accuracy.mjs), or a subordinate
//       station's reference and offsets
//
// The constituent table of OUTPUT holds the constituents its stations use. Those that
// BASE knows are copied from it, speed and every year's equilibrium argument and node
// factor as BASE stores them, so both files predict a constituent alike. A few that
// BASE lacks are built from its rows (see kDerived); a constituent neither holds is left
// out of the stations that have it and reported, with its largest amplitude, so the cost
// of leaving it out is known.

#include <tcd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

struct Term {
    const char* name;
    int times;
};

struct Derived {
    const char* name;
    std::vector<Term> terms;
};

// Constituents that xtide-data lacks, each the sum of constituents it holds: the speeds and
// the yearly equilibrium arguments (V0 + u) add with the coefficients, the node factors
// multiply, each raised to the coefficient's size. In Doodson numbers: MA2 (2,0,-1,0,0,0)
// and MB2 (2,0,1,0,0,0) are M2 -/+ Sa; MTM (0,3,0,-1,0,0) is Mf + Mm; MSQM (0,4,-2,0,0,0)
// is Mf + MSf; T3 (3,3,-4,0,0,0) and R3 (3,3,-2,0,0,0) are S3 -/+ Sa. The third-degree
// semidiurnal 3N2 (2,-1,0,0,0,0) and 3L2 (2,1,0,0,0,0) are M2 -/+ s, the moon's mean
// longitude ("s" below, speed 0.5490165 degrees an hour, no node factor); they take M2's
// node factor and its nodal phase, which leaves out the small difference in their own.
const std::vector<Derived> kDerived = {
    {"MA2", {{"M2", 1}, {"SA", -1}}}, {"MB2", {{"M2", 1}, {"SA", 1}}},
    {"MTM", {{"MF", 1}, {"MM", 1}}},  {"MSQM", {{"MF", 1}, {"MSF", 1}}},
    {"T3", {{"S3", 1}, {"SA", -1}}},  {"R3", {{"S3", 1}, {"SA", 1}}},
    {"3N2", {{"M2", 1}, {"s", -1}}},  {"3L2", {{"M2", 1}, {"s", 1}}},
};

// The moon's mean longitude at 0:00 UTC on 1 January of a year, in degrees: the lunar
// theory's polynomial to the first power of time, within a hundredth of a degree over
// 1700-2100. The few seconds between universal and terrestrial time are left out, as
// xtide-data's tables leave them out (its Mm row, s - p, agrees to 0.02 degrees).
double MoonMeanLongitude(int year) {
    // Days from 2000-01-01 0:00 to 0:00 on 1 January of the year, proleptic Gregorian.
    const int y = year - 1;
    const long days = 365L * y + y / 4 - y / 100 + y / 400 + 1 - 730120L;
    const double centuries = (static_cast<double>(days) - 0.5) / 36525.0;
    return std::fmod(218.3164477 + 481267.88123421 * centuries, 360.0);
}
constexpr double kMoonMeanLongitudeSpeed = 0.5490165;

// The date every record carries as its import date: the database release it was made from,
// not the day it was built, so that the same release gives the same file.
constexpr unsigned kDateImported = 20260924;
// libtcd's value for "no slack offset" and "no direction" in a tide station's record.
constexpr int kNoSlackOffset = 2560;
constexpr int kNoDirection = 361;

struct Row {
    std::string name;
    double speed = 0;
    std::vector<float> equilibrium;
    std::vector<float> nodeFactor;
};

struct Base {
    int startYear = 0;
    unsigned years = 0;
    std::vector<Row> rows;
};

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string::size_type start = 0;
    while (true) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos) {
            return fields;
        }
        start = tab + 1;
    }
}

// libtcd copies strings into fixed fields; a longer one would overrun them.
void CopyText(char* target, std::size_t size, const std::string& text) {
    if (text.size() >= size) {
        throw std::runtime_error("text too long for its field: " + text);
    }
    std::memcpy(target, text.c_str(), text.size() + 1);
}

// Time offsets are stored as signed hours and minutes, written HHMM: -75 minutes is -115.
int TimeField(int minutes) {
    const int size = std::abs(minutes);
    const int value = size / 60 * 100 + size % 60;
    return minutes < 0 ? -value : value;
}

Base ReadBase(const std::string& path) {
    if (!open_tide_db(const_cast<char*>(path.c_str()))) {
        throw std::runtime_error("cannot open " + path);
    }
    const DB_HEADER_PUBLIC header = get_tide_db_header();
    Base base;
    base.startYear = header.start_year;
    base.years = header.number_of_years;
    for (unsigned i = 0; i < header.constituents; ++i) {
        Row row;
        row.name = get_constituent(static_cast<NV_INT32>(i));
        row.speed = get_speed(static_cast<NV_INT32>(i));
        const float* equilibrium = get_equilibriums(static_cast<NV_INT32>(i));
        const float* nodeFactor = get_node_factors(static_cast<NV_INT32>(i));
        row.equilibrium.assign(equilibrium, equilibrium + base.years);
        row.nodeFactor.assign(nodeFactor, nodeFactor + base.years);
        base.rows.push_back(std::move(row));
    }
    close_tide_db();
    return base;
}

const Row& FindRow(const Base& base, const std::string& name) {
    for (const Row& row : base.rows) {
        if (row.name == name) {
            return row;
        }
    }
    throw std::runtime_error("the base file has no constituent " + name);
}

Row DeriveRow(const Base& base, const Derived& derived) {
    Row row;
    row.name = derived.name;
    row.equilibrium.assign(base.years, 0.0F);
    row.nodeFactor.assign(base.years, 1.0F);
    std::vector<double> argument(base.years, 0.0);
    std::vector<double> factor(base.years, 1.0);
    for (const Term& term : derived.terms) {
        if (std::string(term.name) == "s") {
            row.speed += term.times * kMoonMeanLongitudeSpeed;
            for (unsigned year = 0; year < base.years; ++year) {
                argument[year] +=
                    term.times * MoonMeanLongitude(base.startYear + static_cast<int>(year));
            }
            continue;
        }
        const Row& part = FindRow(base, term.name);
        row.speed += term.times * part.speed;
        for (unsigned year = 0; year < base.years; ++year) {
            argument[year] += term.times * static_cast<double>(part.equilibrium[year]);
            factor[year] *=
                std::pow(static_cast<double>(part.nodeFactor[year]), std::abs(term.times));
        }
    }
    for (unsigned year = 0; year < base.years; ++year) {
        double degrees = std::fmod(argument[year], 360.0);
        if (degrees < 0) {
            degrees += 360.0;
        }
        row.equilibrium[year] = static_cast<float>(degrees);
        row.nodeFactor[year] = static_cast<float>(factor[year]);
    }
    return row;
}

int PrintIds(const std::string& path) {
    if (!open_tide_db(const_cast<char*>(path.c_str()))) {
        std::fprintf(stderr, "quintrel-tcd-build: cannot open %s\n", path.c_str());
        return 1;
    }
    const DB_HEADER_PUBLIC header = get_tide_db_header();
    static TIDE_RECORD record;
    for (unsigned i = 0; i < header.number_of_records; ++i) {
        if (read_tide_record(static_cast<NV_INT32>(i), &record) < 0) {
            continue;
        }
        const std::string units = get_level_units(record.level_units);
        if (units.rfind("knot", 0) == 0) {
            continue;
        }
        std::printf("%s\t%s\n", record.station_id_context, record.station_id);
    }
    close_tide_db();
    return 0;
}

int PrintStation(const std::string& path, const std::string& id, int year) {
    if (!open_tide_db(const_cast<char*>(path.c_str()))) {
        std::fprintf(stderr, "quintrel-tcd-build: cannot open %s\n", path.c_str());
        return 1;
    }
    const DB_HEADER_PUBLIC header = get_tide_db_header();
    if (year < header.start_year ||
        year >= header.start_year + static_cast<int>(header.number_of_years)) {
        std::fprintf(stderr, "quintrel-tcd-build: %d is outside the file's years\n", year);
        close_tide_db();
        return 1;
    }
    static TIDE_RECORD record;
    for (unsigned i = 0; i < header.number_of_records; ++i) {
        if (read_tide_record(static_cast<NV_INT32>(i), &record) < 0 || id != record.station_id ||
            std::string(get_level_units(record.level_units)).rfind("knot", 0) == 0) {
            continue;
        }
        if (record.header.record_type == SUBORDINATE_STATION) {
            // The offsets as stored: times as signed HHMM, high water first.
            static TIDE_RECORD reference;
            read_tide_record(record.header.reference_station, &reference);
            std::printf("subordinate\t%s\t%s\t%s\t%d\t%d\t%.3f\t%.3f\t%.3f\t%.3f\n",
                        record.station_id, record.header.name, reference.station_id,
                        record.max_time_add, record.min_time_add,
                        static_cast<double>(record.max_level_multiply),
                        static_cast<double>(record.min_level_multiply),
                        static_cast<double>(record.max_level_add),
                        static_cast<double>(record.min_level_add));
            close_tide_db();
            return 0;
        }
        std::printf("station\t%s\t%s\t%.6f\t%.6f\t%.4f\t%s\t%s\t%d\n", record.station_id,
                    record.header.name, record.header.latitude, record.header.longitude,
                    static_cast<double>(record.datum_offset), get_level_units(record.level_units),
                    get_datum(record.datum), record.zone_offset);
        const int column = year - header.start_year;
        for (unsigned c = 0; c < header.constituents; ++c) {
            if (record.amplitude[c] <= 0) {
                continue;
            }
            const auto n = static_cast<NV_INT32>(c);
            std::printf("c\t%s\t%.7f\t%.4f\t%.2f\t%.2f\t%.4f\n", get_constituent(n), get_speed(n),
                        static_cast<double>(record.amplitude[c]),
                        static_cast<double>(record.epoch[c]),
                        static_cast<double>(get_equilibrium(n, column)),
                        static_cast<double>(get_node_factor(n, column)));
        }
        close_tide_db();
        return 0;
    }
    close_tide_db();
    std::fprintf(stderr, "quintrel-tcd-build: no tide station %s in %s\n", id.c_str(),
                 path.c_str());
    return 1;
}

struct Station {
    std::vector<std::string> fields;
    std::vector<std::pair<std::string, std::pair<double, double>>> constituents;
};

std::vector<Station> ReadStations(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error("cannot read " + path);
    }
    std::vector<Station> stations;
    std::string line;
    while (std::getline(in, line)) {
        const std::vector<std::string> fields = SplitTabs(line);
        if (fields[0] == "R" || fields[0] == "S") {
            if (std::stoul(fields[1]) != stations.size()) {
                throw std::runtime_error("stations out of order at " + fields[1]);
            }
            stations.push_back({fields, {}});
        } else if (fields[0] == "C" && fields.size() == 4 && !stations.empty()) {
            stations.back().constituents.push_back(
                {fields[1], {std::stod(fields[2]), std::stod(fields[3])}});
        } else {
            throw std::runtime_error("unreadable line: " + line);
        }
    }
    return stations;
}

int Build(const std::string& basePath, const std::string& stationsPath,
          const std::string& outputPath) {
    const Base base = ReadBase(basePath);
    const std::vector<Station> stations = ReadStations(stationsPath);

    std::set<std::string> used;
    for (const Station& station : stations) {
        for (const auto& constituent : station.constituents) {
            used.insert(constituent.first);
        }
    }
    std::vector<Row> table;
    for (const Row& row : base.rows) {
        if (used.count(row.name) != 0) {
            table.push_back(row);
        }
    }
    for (const Derived& derived : kDerived) {
        if (used.count(derived.name) != 0) {
            table.push_back(DeriveRow(base, derived));
        }
    }
    std::map<std::string, int> column;
    for (std::size_t i = 0; i < table.size(); ++i) {
        column[table[i].name] = static_cast<int>(i);
    }

    std::vector<char*> names;
    std::vector<double> speeds;
    std::vector<float*> equilibria;
    std::vector<float*> nodeFactors;
    for (Row& row : table) {
        names.push_back(row.name.data());
        speeds.push_back(row.speed);
        equilibria.push_back(row.equilibrium.data());
        nodeFactors.push_back(row.nodeFactor.data());
    }
    std::remove(outputPath.c_str());
    if (!create_tide_db(const_cast<char*>(outputPath.c_str()),
                        static_cast<NV_U_INT32>(table.size()), names.data(), speeds.data(),
                        base.startYear, base.years, equilibria.data(), nodeFactors.data())) {
        throw std::runtime_error("cannot create " + outputPath);
    }
    DB_HEADER_PUBLIC header = get_tide_db_header();

    struct Dropped {
        int stations = 0;
        double largest = 0;
    };
    std::map<std::string, Dropped> dropped;
    static TIDE_RECORD record;
    for (const Station& station : stations) {
        const std::vector<std::string>& f = station.fields;
        const bool reference = f[0] == "R";
        if (f.size() != (reference ? 14U : 19U)) {
            throw std::runtime_error("wrong field count for station " + f[1]);
        }
        std::memset(&record, 0, sizeof record);
        record.header.record_number = std::stoi(f[1]);
        record.header.record_type = reference ? REFERENCE_STATION : SUBORDINATE_STATION;
        record.header.latitude = std::stod(f[5]);
        record.header.longitude = std::stod(f[6]);
        record.header.reference_station = reference ? -1 : std::stoi(f[13]);
        record.header.tzfile =
            static_cast<NV_INT16>(find_or_add_tzfile(const_cast<char*>(f[7].c_str()), &header));
        CopyText(record.header.name, sizeof record.header.name, f[4]);
        record.country =
            static_cast<NV_INT16>(find_or_add_country(const_cast<char*>(f[8].c_str()), &header));
        const std::string& source = reference ? f[11] : f[10];
        const std::string& licence = reference ? f[12] : f[11];
        const std::string& notes = reference ? f[13] : f[12];
        CopyText(record.source, sizeof record.source, source);
        record.restriction = static_cast<NV_U_BYTE>(
            find_or_add_restriction(const_cast<char*>(licence.c_str()), &header));
        CopyText(record.notes, sizeof record.notes, notes);
        CopyText(record.station_id_context, sizeof record.station_id_context, f[2]);
        CopyText(record.station_id, sizeof record.station_id, f[3]);
        record.date_imported = kDateImported;
        record.direction_units =
            static_cast<NV_U_BYTE>(find_dir_units(const_cast<char*>("degrees true")));
        record.min_direction = kNoDirection;
        record.max_direction = kNoDirection;
        record.level_units = static_cast<NV_U_BYTE>(find_level_units(const_cast<char*>("meters")));
        record.datum =
            static_cast<NV_INT16>(find_or_add_datum(const_cast<char*>(f[9].c_str()), &header));
        record.flood_begins = kNoSlackOffset;
        record.ebb_begins = kNoSlackOffset;
        if (reference) {
            record.datum_offset = std::stof(f[10]);
            record.confidence = 10;
            for (const auto& [name, value] : station.constituents) {
                const auto found = column.find(name);
                if (found == column.end()) {
                    Dropped& d = dropped[name];
                    ++d.stations;
                    d.largest = std::max(d.largest, value.first);
                    continue;
                }
                record.amplitude[found->second] = static_cast<float>(value.first);
                record.epoch[found->second] = static_cast<float>(value.second);
            }
        } else {
            // "min" is low water and "max" high water, as in xtide-data. A height ratio
            // multiplies; a fixed height adds, with the multiplier left 0 ("none").
            record.max_time_add = TimeField(std::stoi(f[14]));
            record.min_time_add = TimeField(std::stoi(f[15]));
            const float high = std::stof(f[17]);
            const float low = std::stof(f[18]);
            if (f[16] == "ratio") {
                record.max_level_multiply = high;
                record.min_level_multiply = low;
            } else if (f[16] == "fixed") {
                record.max_level_add = high;
                record.min_level_add = low;
            } else {
                throw std::runtime_error("unknown height offset kind " + f[16]);
            }
        }
        if (!add_tide_record(&record, &header)) {
            throw std::runtime_error("libtcd refused station " + f[3]);
        }
    }
    close_tide_db();

    std::fprintf(stderr, "%zu stations, %zu constituents (%zu built from others)\n",
                 stations.size(), table.size(),
                 static_cast<std::size_t>(
                     std::count_if(kDerived.begin(), kDerived.end(),
                                   [&](const Derived& d) { return column.count(d.name) != 0; })));
    for (const auto& [name, d] : dropped) {
        std::fprintf(stderr, "left out %s: %d stations, largest amplitude %.4f m\n", name.c_str(),
                     d.stations, d.largest);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 3 && std::string(argv[1]) == "--ids") {
            return PrintIds(argv[2]);
        }
        if (argc == 5 && std::string(argv[1]) == "--station") {
            return PrintStation(argv[2], argv[3], std::stoi(argv[4]));
        }
        if (argc == 4) {
            return Build(argv[1], argv[2], argv[3]);
        }
        std::fprintf(stderr,
                     "usage: quintrel-tcd-build --ids BASE.tcd\n"
                     "       quintrel-tcd-build BASE.tcd STATIONS.tsv OUTPUT.tcd\n"
                     "       quintrel-tcd-build --station FILE.tcd ID YEAR\n");
        return 2;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quintrel-tcd-build: %s\n", error.what());
        return 1;
    }
}
