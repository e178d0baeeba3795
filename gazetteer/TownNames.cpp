#include "gazetteer/TownNames.h"

#include <map>
#include <vector>

#include "locations/LocationRecord.h"

namespace quintrel {

namespace {

std::size_t Characters(std::string_view utf8) {
    std::size_t count = 0;
    for (const char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) {
            ++count;
        }
    }
    return count;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    for (const char c : text) {
        if (c == ' ') {
            if (!word.empty()) {
                words.push_back(word);
            }
            word.clear();
        } else {
            word += c;
        }
    }
    if (!word.empty()) {
        words.push_back(word);
    }
    return words;
}

std::string Joined(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        text += (text.empty() ? "" : " ") + word;
    }
    return text;
}

std::string Lookup(const std::map<std::string, std::string>& table, const std::string& key) {
    const auto found = table.find(key);
    return found != table.end() ? found->second : key;
}

// The shipped list's short forms, used where the full name would not fit.
const std::map<std::string, std::string> kCanadaShort = {
    {"British Columbia", "BC"},   {"Northwest Territories", "NWT"},
    {"New Brunswick", "NB"},      {"Prince Edward Island", "PEI"},
    {"Yukon Territory", "Yukon"}, {"Newfoundland and Labrador", "Newfoundland"},
};
const std::map<std::string, std::string> kAustraliaShort = {
    {"New South Wales", "NSW"},   {"Victoria", "VIC"},
    {"Queensland", "QLD"},        {"South Australia", "SA"},
    {"Western Australia", "WA"},  {"Tasmania", "TAS"},
    {"Northern Territory", "NT"}, {"Australian Capital Territory", "ACT"},
};
const std::map<std::string, std::string> kCountryShort = {
    {"Bosnia and Herzegovina", "Bosnia-Herzegovina"},
    {"Hashemite Kingdom of Jordan", "Jordan"},
    {"Principality of Monaco", "Monaco"},
    {"Saint Pierre and Miquelon", "St Pierre & Miquelon"},
    {"Svalbard and Jan Mayen", "Svalbard"},
    {"St Vincent and Grenadines", "St Vincent"},
};

// The postal abbreviations of the US states, which people add to a town's name.
const std::map<std::string, std::string> kUsStateShort = {
    {"Alabama", "AL"},        {"Alaska", "AK"},         {"Arizona", "AZ"},
    {"Arkansas", "AR"},       {"California", "CA"},     {"Colorado", "CO"},
    {"Connecticut", "CT"},    {"Delaware", "DE"},       {"District of Columbia", "DC"},
    {"Florida", "FL"},        {"Georgia", "GA"},        {"Hawaii", "HI"},
    {"Idaho", "ID"},          {"Illinois", "IL"},       {"Indiana", "IN"},
    {"Iowa", "IA"},           {"Kansas", "KS"},         {"Kentucky", "KY"},
    {"Louisiana", "LA"},      {"Maine", "ME"},          {"Maryland", "MD"},
    {"Massachusetts", "MA"},  {"Michigan", "MI"},       {"Minnesota", "MN"},
    {"Mississippi", "MS"},    {"Missouri", "MO"},       {"Montana", "MT"},
    {"Nebraska", "NE"},       {"Nevada", "NV"},         {"New Hampshire", "NH"},
    {"New Jersey", "NJ"},     {"New Mexico", "NM"},     {"New York", "NY"},
    {"North Carolina", "NC"}, {"North Dakota", "ND"},   {"Ohio", "OH"},
    {"Oklahoma", "OK"},       {"Oregon", "OR"},         {"Pennsylvania", "PA"},
    {"Rhode Island", "RI"},   {"South Carolina", "SC"}, {"South Dakota", "SD"},
    {"Tennessee", "TN"},      {"Texas", "TX"},          {"Utah", "UT"},
    {"Vermont", "VT"},        {"Virginia", "VA"},       {"Washington", "WA"},
    {"West Virginia", "WV"},  {"Wisconsin", "WI"},      {"Wyoming", "WY"},
};

std::string WithoutStateOf(const std::string& state) {
    return state.rfind("State of ", 0) == 0 ? state.substr(9) : state;
}

std::string WithState(const std::string& country, const std::string& state) {
    return state.empty() ? country : country + " - " + state;
}

}  // namespace

std::string ShortenName(std::string_view utf8, std::size_t characters) {
    std::vector<std::string> words = Words(utf8);
    if (Characters(Joined(words)) <= characters) {
        return Joined(words);
    }
    for (std::size_t i = words.size(); i-- > 1 && Characters(Joined(words)) > characters;) {
        const unsigned char first = static_cast<unsigned char>(words[i].front());
        if (first >= 'a' && first <= 'z') {
            words.erase(words.begin() + static_cast<std::ptrdiff_t>(i));
        }
    }
    while (words.size() > 1 && Characters(Joined(words)) > characters) {
        words.pop_back();
    }
    std::string text = Joined(words);
    // Only a single word longer than the field is left to cut, at a character boundary.
    std::size_t seen = 0;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if ((static_cast<unsigned char>(text[at]) & 0xC0) != 0x80 && seen++ == characters) {
            text.resize(at);
            break;
        }
    }
    return text;
}

std::string ListCountryName(const GazetteerTown& town) {
    std::string name;
    if (town.countryCode == "US") {
        const std::string state = WithoutStateOf(town.state);
        name = WithState("USA", state == "District of Columbia" ? "D.C." : state);
    } else if (town.countryCode == "CA") {
        name = WithState("Canada", town.state);
        if (Characters(name) > kCountryWidth) {
            name = WithState("Canada", Lookup(kCanadaShort, town.state));
        }
    } else if (town.countryCode == "AU") {
        name = WithState("Australia", Lookup(kAustraliaShort, town.state));
    } else if (town.countryCode == "GB") {
        name = WithState("UK", town.state);
    } else {
        name = Lookup(kCountryShort, town.country);
    }
    return ShortenName(name, kCountryWidth);
}

std::string StateName(const GazetteerTown& town) {
    if (town.state == town.name) {
        return {};
    }
    return WithoutStateOf(town.state);
}

std::string PlaceSearchText(const GazetteerTown& town) {
    std::string text = town.state + " " + town.country + " " + ListCountryName(town);
    if (town.countryCode == "US") {
        text += " " + Lookup(kUsStateShort, WithoutStateOf(town.state));
    } else if (town.countryCode == "AU") {
        text += " " + Lookup(kAustraliaShort, town.state);
    }
    return text;
}

std::string ListTownName(std::string_view name) {
    return ShortenName(name, kTownWidth);
}

}  // namespace quintrel
