#include "gazetteer/GeonamesGazetteer.h"

#include <geonames.h>
#include <locale.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <future>
#include <mutex>
#include <numbers>
#include <system_error>

#include "astro/CoreError.h"
#include "gazetteer/TownFold.h"
#include "gazetteer/TownNames.h"

namespace quintrel {

namespace {

// The folded words of a text, each preceded by a blank (" st johns"), so that "starts a
// word" is a search for the blank followed by the query word.
std::string BlankLedWords(std::string_view text) {
    const std::string folded = FoldTownText(text);
    return folded.empty() ? folded : " " + folded;
}

std::vector<std::string> QueryWords(std::string_view text) {
    std::vector<std::string> words;
    const std::string folded = FoldTownText(text);
    std::size_t at = 0;
    while (at < folded.size()) {
        const std::size_t blank = std::min(folded.find(' ', at), folded.size());
        words.push_back(" " + folded.substr(at, blank - at));
        at = blank + 1;
    }
    return words;
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
    std::vector<GazetteerTown> towns;     // most populous first
    std::vector<std::string> nameWords;   // folded, each word led by a blank
    std::vector<std::string> placeWords;  // state, country and their short forms, likewise
    std::vector<std::string> plainNames;  // the folded name and a blank
};

std::shared_ptr<const GeonamesGazetteer::Index> GeonamesGazetteer::ReadTowns() {
    const EnglishMessages english;
    const gint count = geonames_get_n_cities();
    if (count <= 0) {
        throw CoreError("The town list (libgeonames) could not be opened");
    }
    auto index = std::make_shared<GeonamesGazetteer::Index>();
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
        index->nameWords.push_back(BlankLedWords(town.name));
        index->placeWords.push_back(BlankLedWords(PlaceSearchText(town)));
        index->plainNames.push_back(FoldTownText(town.name) + " ");
    }
    return index;
}

namespace {

using SharedIndex = std::shared_ptr<const GeonamesGazetteer::Index>;

// One index for the whole program, read once, on a thread of its own when StartReading
// runs before the first search needs it.
std::mutex gIndexMutex;
std::shared_future<SharedIndex> gIndex;

std::shared_future<SharedIndex> IndexFuture(bool inBackground) {
    const std::lock_guard lock(gIndexMutex);
    if (!gIndex.valid()) {
        try {
            gIndex = std::async(inBackground ? std::launch::async : std::launch::deferred,
                                GeonamesGazetteer::ReadTowns)
                         .share();
        } catch (const std::system_error&) {
            // No thread to spare: the first search reads the towns itself.
            gIndex = std::async(std::launch::deferred, GeonamesGazetteer::ReadTowns).share();
        }
    }
    return gIndex;
}

}  // namespace

GeonamesGazetteer::GeonamesGazetteer() = default;
GeonamesGazetteer::~GeonamesGazetteer() = default;

void GeonamesGazetteer::StartReading() {
    IndexFuture(true);
}

void GeonamesGazetteer::Open() {
    if (!index_) {
        index_ = IndexFuture(false).get();
    }
}

std::vector<GazetteerTown> GeonamesGazetteer::Search(std::string_view text, std::size_t limit) {
    const std::vector<std::string> words = QueryWords(text);
    std::size_t letters = 0;
    for (const std::string& word : words) {
        letters += static_cast<std::size_t>(g_utf8_strlen(word.c_str(), -1)) - 1;
    }
    if (letters < kMinimumSearchLength) {
        return {};
    }
    Open();
    const std::string plainText = FoldTownText(text) + " ";
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
            found.back().wholeName = plainText.rfind(index_->plainNames[i], 0) == 0;
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
