#include "gazetteer/GeonamesGazetteer.h"

#include <geonames.h>
#include <locale.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "astro/CoreError.h"

namespace quintrel {

namespace {

// Folded words of a text, each preceded by a blank (" tromsø tromsoe"), so that "starts a
// word" is a search for the blank followed by the query word. GLib's folding gives the
// lower-case words and, for words with accents, their plain ASCII forms too.
std::string FoldedWords(const char* text) {
    gchar** asciiForms = nullptr;
    gchar** words = g_str_tokenize_and_fold(text, nullptr, &asciiForms);
    std::string folded;
    for (gchar** list : {words, asciiForms}) {
        for (gchar** word = list; word != nullptr && *word != nullptr; ++word) {
            folded += ' ';
            folded += *word;
        }
    }
    g_strfreev(words);
    g_strfreev(asciiForms);
    return folded;
}

std::vector<std::string> QueryWords(std::string_view text) {
    const std::string owned(text);
    gchar** words = g_str_tokenize_and_fold(owned.c_str(), nullptr, nullptr);
    std::vector<std::string> result;
    for (gchar** word = words; word != nullptr && *word != nullptr; ++word) {
        result.push_back(std::string(" ") + *word);
    }
    g_strfreev(words);
    return result;
}

// Plain lower-case ASCII words joined by single blanks ("São Paulo" gives "sao paulo"), so
// whole names compare without accents.
std::string PlainWords(const std::string& text) {
    gchar* ascii = g_str_to_ascii(text.c_str(), "C");
    std::string plain;
    bool blank = true;
    for (const gchar* c = ascii; *c != 0; ++c) {
        if (g_ascii_isalnum(*c)) {
            plain += g_ascii_tolower(*c);
            blank = false;
        } else if (!blank) {
            plain += ' ';
            blank = true;
        }
    }
    g_free(ascii);
    if (!plain.empty() && plain.back() == ' ') {
        plain.pop_back();
    }
    return plain;
}

// GLib spells "ø" as "oe"; those who type the name without the letter mostly write "o".
std::string WithPlainO(const std::string& text) {
    std::string plain;
    for (std::size_t at = 0; at < text.size(); ++at) {
        // "ø" and "Ø" are C3 B8 and C3 98 in UTF-8.
        if (text[at] == '\xC3' && at + 1 < text.size() &&
            (text[at + 1] == '\xB8' || text[at + 1] == '\x98')) {
            plain += 'o';
            ++at;
        } else {
            plain += text[at];
        }
    }
    return plain;
}

std::string Text(const gchar* text) {
    return text != nullptr ? std::string(text) : std::string();
}

// The library translates country and state names through the messages locale; the place
// list keeps English names, so the towns are read under the "C" locale of this thread.
class EnglishMessages {
  public:
    EnglishMessages()
        : english_(newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr))),
          previous_(english_ != nullptr ? uselocale(english_) : nullptr) {}
    ~EnglishMessages() {
        if (english_ != nullptr) {
            uselocale(previous_);
            freelocale(english_);
        }
    }
    EnglishMessages(const EnglishMessages&) = delete;
    EnglishMessages& operator=(const EnglishMessages&) = delete;

  private:
    locale_t english_;
    locale_t previous_;
};

double DistanceAngle(double lat1, double lon1, double lat2, double lon2) {
    constexpr double kRadians = std::numbers::pi / 180.0;
    const double a = std::sin((lat2 - lat1) * kRadians / 2);
    const double b = std::sin((lon2 - lon1) * kRadians / 2);
    return std::asin(std::min(
        1.0, std::sqrt(a * a + std::cos(lat1 * kRadians) * std::cos(lat2 * kRadians) * b * b)));
}

}  // namespace

struct GeonamesGazetteer::Index {
    std::vector<GazetteerTown> towns;  // most populous first
    std::vector<std::string> nameWords;
    std::vector<std::string> placeWords;                 // state and country
    std::vector<std::array<std::string, 2>> plainNames;  // GLib's spelling, and with "o"
};

GeonamesGazetteer::GeonamesGazetteer() = default;
GeonamesGazetteer::~GeonamesGazetteer() = default;

void GeonamesGazetteer::Open() {
    if (index_) {
        return;
    }
    const EnglishMessages english;
    const gint count = geonames_get_n_cities();
    if (count <= 0) {
        throw CoreError("The town list (libgeonames) could not be opened");
    }
    auto index = std::make_unique<Index>();
    index->towns.reserve(static_cast<std::size_t>(count));
    for (gint i = 0; i < count; ++i) {
        GeonamesCity* city = geonames_get_city(i);
        if (city == nullptr) {
            continue;
        }
        index->towns.push_back(
            {Text(geonames_city_get_name(city)), Text(geonames_city_get_state(city)),
             Text(geonames_city_get_country(city)), Text(geonames_city_get_country_code(city)),
             Text(geonames_city_get_timezone(city)), geonames_city_get_latitude(city),
             geonames_city_get_longitude(city), geonames_city_get_population(city)});
        geonames_city_free(city);
    }
    std::stable_sort(
        index->towns.begin(), index->towns.end(),
        [](const GazetteerTown& a, const GazetteerTown& b) { return a.population > b.population; });
    for (const GazetteerTown& town : index->towns) {
        index->nameWords.push_back(FoldedWords(town.name.c_str()));
        index->placeWords.push_back(FoldedWords((town.state + " " + town.country).c_str()));
        index->plainNames.push_back(
            {PlainWords(town.name) + " ", PlainWords(WithPlainO(town.name)) + " "});
    }
    index_ = std::move(index);
}

std::vector<GazetteerTown> GeonamesGazetteer::Search(std::string_view text, std::size_t limit) {
    const std::vector<std::string> words = QueryWords(text);
    std::size_t letters = 0;
    for (const std::string& word : words) {
        letters += g_utf8_strlen(word.c_str(), -1) - 1;
    }
    if (letters < kMinimumSearchLength) {
        return {};
    }
    Open();
    const std::string plainText = PlainWords(std::string(text)) + " ";
    std::vector<GazetteerTown> found;
    for (std::size_t i = 0; i < index_->towns.size() && found.size() < limit; ++i) {
        const std::string& name = index_->nameWords[i];
        const std::string& place = index_->placeWords[i];
        bool matches = name.find(words.front()) != std::string::npos;
        for (std::size_t w = 1; matches && w < words.size(); ++w) {
            matches = name.find(words[w]) != std::string::npos ||
                      place.find(words[w]) != std::string::npos;
        }
        if (matches) {
            found.push_back(index_->towns[i]);
            for (const std::string& plainName : index_->plainNames[i]) {
                found.back().wholeName |= plainText.rfind(plainName, 0) == 0;
            }
        }
    }
    return found;
}

std::optional<GazetteerTown> GeonamesGazetteer::Nearest(double latitude, double longitude) {
    Open();
    const GazetteerTown* nearest = nullptr;
    double best = 0;
    for (const GazetteerTown& town : index_->towns) {
        const double angle = DistanceAngle(latitude, longitude, town.latitude, town.longitude);
        if (nearest == nullptr || angle < best) {
            nearest = &town;
            best = angle;
        }
    }
    if (nearest == nullptr) {
        return std::nullopt;
    }
    return *nearest;
}

}  // namespace quintrel
