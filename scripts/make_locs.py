#!/usr/bin/env python3
"""Writes data/locs.dat, the list of places shipped with Quintrel.

Each place is one line of PLACES below: country or state | town | latitude | longitude |
standard zone | daylight-saving rule | time zone of the tz database | "fav" for a favourite.
Latitude and longitude are degrees and minutes with the hemisphere letter ("42 21N",
"71 4W"). The rules are those in force today, in the record's form: hour(2) week(1: 1-4,
5 = last) weekday(1: 1 = Sunday) month(2), for the start and for the end of the saving.

The script checks every field against the record layout before writing, and writes the
file in Windows-1252 with CR LF line ends, sorted as the program keeps it.

With --check it first compares each place's zone and rule with the ones quintrel-table
derives from the machine's tz database for its zone (--zone-rule: a rule only when one
reproduces every change day of the next ten years), then its clock at local noon day by
day over those years, change days included (the table reads the start day on the
advanced clock and the end day, from 04:00, on standard time). It fails when a place
differs from a rule its record could hold, and lists the places whose real rule the
record cannot hold, with how many days their approximation gets wrong: Lord Howe Island
(its saving is half an hour), Casablanca (an hour back during Ramadan), Cairo and Hurghada
(the saving ends on the Friday after the last Thursday of October), Santiago and Easter
Island ("first Sunday from the 2nd") and Jerusalem ("Friday before the last Sunday").
Run it after building quintrel-table, and whenever the tz database brings new rules.

Usage: scripts/make_locs.py [--check] [--table PROGRAM] [output path]
(default output: data/locs.dat; default PROGRAM: build/release/bin/quintrel-table)
"""
import calendar
import datetime
import pathlib
import subprocess
import sys

RULES = {
    "none": None,
    # United States, Canada, Bermuda, the Bahamas, Tijuana: 2nd Sunday of March 02:00
    # to 1st Sunday of November 02:00.
    "us": ("022103", "021111"),
    # European Union, United Kingdom, and the countries that follow them: last Sunday of
    # March 01:00 UTC to last Sunday of October 01:00 UTC, given here in local time.
    "eu-1": ("005103", "015110"),   # Azores (UTC-1)
    "eu0": ("015103", "025110"),    # UTC+0
    "eu1": ("025103", "035110"),    # UTC+1
    "eu2": ("035103", "045110"),    # UTC+2
    "moldova": ("025103", "035110"),  # last Sunday of March 02:00 to last Sunday of October 03:00
    "lebanon": ("005103", "005110"),  # last Sunday of March to last Sunday of October, midnight
    # Israel: the Friday before the last Sunday of March (23rd-29th); the fourth Friday
    # (22nd-28th) is the nearest the record can say.
    "israel": ("024603", "025110"),
    # Egypt: last Friday of April 00:00 to last Thursday of October 24:00. The table moves
    # the clock back in the small hours of the end day, so the end is the Friday after
    # (the Thursday itself, as the last day, would show from 04:00 an hour early); the
    # last Friday of October is that Friday except when the 31st is a Thursday (2030).
    "egypt": ("005604", "005610"),
    # Cuba: 2nd Sunday of March 00:00 to 1st Sunday of November 01:00.
    "cuba": ("002103", "011111"),
    # New South Wales, Victoria, Tasmania, South Australia, the ACT and Norfolk Island:
    # 1st Sunday of October 02:00 to 1st Sunday of April 03:00.
    "au": ("021110", "031104"),
    # New Zealand and the stations supplied from it: last Sunday of September 02:00 to
    # 1st Sunday of April 03:00.
    "nz": ("025109", "031104"),
    # Mainland Chile: the first Sunday from the 2nd of September to the first Sunday from
    # the 2nd of April, both at midnight; "first Sunday" is the nearest the record can say.
    "chile": ("001109", "001104"),
    # Easter Island changes at the same instants, 22:00 local on the Saturdays before.
    # The table moves the clock in the small hours of a change day, so both changes are
    # given as the Sundays: the Saturday as the end day would show from 04:00 an hour early.
    "easter": ("001109", "001104"),
}

PLACES = """
USA - Massachusetts|Boston|42 21N|71 4W|-5|us|America/New_York|
USA - New York|New York|40 43N|74 0W|-5|us|America/New_York|fav
USA - California|Los Angeles|34 3N|118 15W|-8|us|America/Los_Angeles|
USA - California|San Francisco|37 47N|122 25W|-8|us|America/Los_Angeles|
USA - California|San Diego|32 43N|117 10W|-8|us|America/Los_Angeles|
USA - Illinois|Chicago|41 53N|87 38W|-6|us|America/Chicago|
USA - Colorado|Denver|39 44N|104 59W|-7|us|America/Denver|
USA - Arizona|Phoenix|33 27N|112 4W|-7|none|America/Phoenix|
USA - Alaska|Anchorage|61 13N|149 54W|-9|us|America/Anchorage|
USA - Alaska|Juneau|58 18N|134 25W|-9|us|America/Juneau|
USA - Alaska|Utqiagvik|71 17N|156 47W|-9|us|America/Anchorage|
USA - Hawaii|Honolulu|21 18N|157 51W|-10|none|Pacific/Honolulu|
USA - Hawaii|Kailua-Kona|19 38N|156 0W|-10|none|Pacific/Honolulu|
USA - Texas|Houston|29 46N|95 22W|-6|us|America/Chicago|
USA - Texas|Corpus Christi|27 48N|97 24W|-6|us|America/Chicago|
USA - Florida|Miami|25 47N|80 13W|-5|us|America/New_York|
USA - Florida|Key West|24 33N|81 47W|-5|us|America/New_York|
USA - Florida|Tampa|27 57N|82 27W|-5|us|America/New_York|
USA - Washington|Seattle|47 36N|122 20W|-8|us|America/Los_Angeles|
USA - Louisiana|New Orleans|29 57N|90 4W|-6|us|America/Chicago|
USA - Montana|Bozeman|45 41N|111 2W|-7|us|America/Denver|
USA - Maine|Portland|43 40N|70 15W|-5|us|America/New_York|
USA - Minnesota|Minneapolis|44 59N|93 16W|-6|us|America/Chicago|
USA - Georgia|Atlanta|33 45N|84 23W|-5|us|America/New_York|
USA - D.C.|Washington|38 54N|77 1W|-5|us|America/New_York|
USA - Michigan|Detroit|42 20N|83 3W|-5|us|America/Detroit|
USA - Utah|Salt Lake City|40 46N|111 53W|-7|us|America/Denver|
USA - Wyoming|Jackson|43 29N|110 46W|-7|us|America/Denver|
USA - North Carolina|Hatteras|35 13N|75 41W|-5|us|America/New_York|
American Samoa|Pago Pago|14 17S|170 42W|-11|none|Pacific/Pago_Pago|
Canada - Ontario|Toronto|43 39N|79 23W|-5|us|America/Toronto|
Canada - Quebec|Montréal|45 30N|73 34W|-5|us|America/Toronto|
Canada - BC|Vancouver|49 16N|123 7W|-8|us|America/Vancouver|
Canada - Alberta|Calgary|51 3N|114 4W|-7|us|America/Edmonton|
Canada - Manitoba|Winnipeg|49 54N|97 8W|-6|us|America/Winnipeg|
Canada - Saskatchewan|Regina|50 27N|104 37W|-6|none|America/Regina|
Canada - Nova Scotia|Halifax|44 39N|63 35W|-4|us|America/Halifax|
Canada - Newfoundland|St. John's|47 34N|52 43W|-3.5|us|America/St_Johns|
Canada - Yukon|Whitehorse|60 43N|135 3W|-7|none|America/Whitehorse|
Canada - Nunavut|Iqaluit|63 45N|68 31W|-5|us|America/Iqaluit|
Canada - NWT|Yellowknife|62 27N|114 23W|-7|us|America/Edmonton|
Mexico|Mexico City|19 26N|99 8W|-6|none|America/Mexico_City|
Mexico|Cancún|21 10N|86 51W|-5|none|America/Cancun|
Mexico|Cabo San Lucas|22 53N|109 55W|-7|none|America/Mazatlan|
Mexico|Tijuana|32 32N|117 2W|-8|us|America/Tijuana|
Guatemala|Guatemala City|14 37N|90 32W|-6|none|America/Guatemala|
Belize|Belize City|17 30N|88 11W|-6|none|America/Belize|
Honduras|Tegucigalpa|14 6N|87 13W|-6|none|America/Tegucigalpa|
Costa Rica|San José|9 56N|84 5W|-6|none|America/Costa_Rica|
Panama|Panama City|8 59N|79 31W|-5|none|America/Panama|
Cuba|Havana|23 8N|82 23W|-5|cuba|America/Havana|
Jamaica|Kingston|17 58N|76 48W|-5|none|America/Jamaica|
Bahamas|Nassau|25 4N|77 21W|-5|us|America/Nassau|
Bermuda|Hamilton|32 18N|64 47W|-4|us|Atlantic/Bermuda|
Dominican Republic|Santo Domingo|18 29N|69 56W|-4|none|America/Santo_Domingo|
Puerto Rico|San Juan|18 28N|66 6W|-4|none|America/Puerto_Rico|
Barbados|Bridgetown|13 6N|59 37W|-4|none|America/Barbados|
Trinidad and Tobago|Port of Spain|10 40N|61 31W|-4|none|America/Port_of_Spain|
French Polynesia|Papeete|17 32S|149 34W|-10|none|Pacific/Tahiti|
French Polynesia|Taiohae|8 55S|140 6W|-9.5|none|Pacific/Marquesas|
French Polynesia|Rikitea|23 7S|134 58W|-9|none|Pacific/Gambier|
Cook Islands|Avarua|21 12S|159 46W|-10|none|Pacific/Rarotonga|
Niue|Alofi|19 3S|169 55W|-11|none|Pacific/Niue|
Pitcairn Islands|Adamstown|25 4S|130 6W|-8|none|Pacific/Pitcairn|
Argentina|Buenos Aires|34 36S|58 23W|-3|none|America/Argentina/Buenos_Aires|
Argentina|Ushuaia|54 48S|68 18W|-3|none|America/Argentina/Ushuaia|
Argentina|Río Grande|53 47S|67 42W|-3|none|America/Argentina/Ushuaia|
Argentina|Bariloche|41 8S|71 18W|-3|none|America/Argentina/Buenos_Aires|
Brazil|São Paulo|23 33S|46 38W|-3|none|America/Sao_Paulo|
Brazil|Rio de Janeiro|22 54S|43 10W|-3|none|America/Sao_Paulo|
Brazil|Brasília|15 48S|47 53W|-3|none|America/Sao_Paulo|
Brazil|Salvador|12 58S|38 30W|-3|none|America/Bahia|
Brazil|Manaus|3 6S|60 1W|-4|none|America/Manaus|
Brazil|Fernando Noronha|3 51S|32 25W|-2|none|America/Noronha|
Chile|Santiago|33 27S|70 40W|-4|chile|America/Santiago|
Chile|Punta Arenas|53 10S|70 55W|-3|none|America/Punta_Arenas|
Chile - Easter Island|Hanga Roa|27 9S|109 26W|-6|easter|Pacific/Easter|
Peru|Lima|12 3S|77 2W|-5|none|America/Lima|
Peru|Cusco|13 32S|71 58W|-5|none|America/Lima|
Colombia|Bogotá|4 36N|74 5W|-5|none|America/Bogota|
Ecuador|Quito|0 13S|78 31W|-5|none|America/Guayaquil|
Ecuador - Galápagos|Puerto Ayora|0 45S|90 19W|-6|none|Pacific/Galapagos|
Venezuela|Caracas|10 29N|66 54W|-4|none|America/Caracas|
Bolivia|La Paz|16 30S|68 9W|-4|none|America/La_Paz|
Paraguay|Asunción|25 16S|57 35W|-3|none|America/Asuncion|
Uruguay|Montevideo|34 54S|56 10W|-3|none|America/Montevideo|
Guyana|Georgetown|6 48N|58 9W|-4|none|America/Guyana|
Suriname|Paramaribo|5 51N|55 12W|-3|none|America/Paramaribo|
French Guiana|Cayenne|4 55N|52 19W|-3|none|America/Cayenne|
Falkland Islands|Stanley|51 42S|57 51W|-3|none|Atlantic/Stanley|
South Georgia|Grytviken|54 17S|36 30W|-2|none|Atlantic/South_Georgia|
UK - England|London|51 30N|0 8W|0|eu0|Europe/London|fav
UK - England|Plymouth|50 22N|4 8W|0|eu0|Europe/London|
UK - Scotland|Edinburgh|55 57N|3 11W|0|eu0|Europe/London|
UK - Scotland|Inverness|57 28N|4 14W|0|eu0|Europe/London|
UK - Wales|Cardiff|51 29N|3 11W|0|eu0|Europe/London|
UK - Northern Ireland|Belfast|54 36N|5 56W|0|eu0|Europe/London|
Ireland|Dublin|53 21N|6 16W|0|eu0|Europe/Dublin|
Ireland|Galway|53 16N|9 3W|0|eu0|Europe/Dublin|
Portugal|Lisboa|38 43N|9 9W|0|eu0|Europe/Lisbon|
Portugal - Madeira|Funchal|32 39N|16 55W|0|eu0|Atlantic/Madeira|
Portugal - Azores|Ponta Delgada|37 44N|25 41W|-1|eu-1|Atlantic/Azores|
Canary Islands|Las Palmas|28 8N|15 26W|0|eu0|Atlantic/Canary|
Iceland|Reykjavík|64 9N|21 56W|0|none|Atlantic/Reykjavik|
France|Paris|48 51N|2 21E|1|eu1|Europe/Paris|fav
France|Marseille|43 18N|5 22E|1|eu1|Europe/Paris|
Germany|Berlin|52 31N|13 24E|1|eu1|Europe/Berlin|
Germany|München|48 8N|11 35E|1|eu1|Europe/Berlin|
Spain|Madrid|40 25N|3 42W|1|eu1|Europe/Madrid|
Italy|Roma|41 54N|12 29E|1|eu1|Europe/Rome|
Netherlands|Amsterdam|52 22N|4 54E|1|eu1|Europe/Amsterdam|
Belgium|Bruxelles|50 51N|4 21E|1|eu1|Europe/Brussels|
Switzerland|Zürich|47 22N|8 33E|1|eu1|Europe/Zurich|
Austria|Wien|48 12N|16 22E|1|eu1|Europe/Vienna|
Poland|Warszawa|52 14N|21 1E|1|eu1|Europe/Warsaw|
Czech Republic|Praha|50 5N|14 25E|1|eu1|Europe/Prague|
Hungary|Budapest|47 30N|19 3E|1|eu1|Europe/Budapest|
Croatia|Split|43 30N|16 26E|1|eu1|Europe/Zagreb|
Serbia|Belgrade|44 49N|20 28E|1|eu1|Europe/Belgrade|
Denmark|København|55 41N|12 34E|1|eu1|Europe/Copenhagen|
Sweden|Stockholm|59 20N|18 4E|1|eu1|Europe/Stockholm|
Sweden|Kiruna|67 51N|20 13E|1|eu1|Europe/Stockholm|
Norway|Oslo|59 55N|10 45E|1|eu1|Europe/Oslo|
Norway|Tromsø|69 41N|18 57E|1|eu1|Europe/Oslo|
Norway - Svalbard|Longyearbyen|78 13N|15 39E|1|eu1|Arctic/Longyearbyen|
Finland|Helsinki|60 10N|24 56E|2|eu2|Europe/Helsinki|
Finland|Rovaniemi|66 30N|25 44E|2|eu2|Europe/Helsinki|
Estonia|Tallinn|59 26N|24 45E|2|eu2|Europe/Tallinn|
Greece|Athens|37 59N|23 44E|2|eu2|Europe/Athens|
Bulgaria|Sofia|42 42N|23 19E|2|eu2|Europe/Sofia|
Romania|Bucharest|44 26N|26 6E|2|eu2|Europe/Bucharest|
Ukraine|Kyiv|50 27N|30 31E|2|eu2|Europe/Kyiv|
Cyprus|Nicosia|35 10N|33 22E|2|eu2|Asia/Nicosia|
Moldova|Chisinau|47 1N|28 52E|2|moldova|Europe/Chisinau|
Russia|Kaliningrad|54 43N|20 31E|2|none|Europe/Kaliningrad|
Russia|Moscow|55 45N|37 37E|3|none|Europe/Moscow|
Russia|Murmansk|68 58N|33 5E|3|none|Europe/Moscow|
Belarus|Minsk|53 54N|27 34E|3|none|Europe/Minsk|
Turkey|Istanbul|41 1N|28 58E|3|none|Europe/Istanbul|
Egypt|Cairo|30 3N|31 14E|2|egypt|Africa/Cairo|
Egypt|Hurghada|27 15N|33 49E|2|egypt|Africa/Cairo|
Libya|Tripoli|32 53N|13 11E|2|none|Africa/Tripoli|
Tunisia|Tunis|36 48N|10 11E|1|none|Africa/Tunis|
Algeria|Algiers|36 45N|3 3E|1|none|Africa/Algiers|
Morocco|Casablanca|33 34N|7 35W|1|none|Africa/Casablanca|
Senegal|Dakar|14 42N|17 27W|0|none|Africa/Dakar|
Cape Verde|Praia|14 55N|23 31W|-1|none|Atlantic/Cape_Verde|
Mali|Bamako|12 39N|8 0W|0|none|Africa/Bamako|
Ghana|Accra|5 33N|0 12W|0|none|Africa/Accra|
Côte d'Ivoire|Abidjan|5 19N|4 2W|0|none|Africa/Abidjan|
Nigeria|Lagos|6 27N|3 24E|1|none|Africa/Lagos|
DR Congo|Kinshasa|4 19S|15 19E|1|none|Africa/Kinshasa|
Angola|Luanda|8 50S|13 14E|1|none|Africa/Luanda|
Namibia|Windhoek|22 34S|17 5E|2|none|Africa/Windhoek|
Botswana|Maun|19 59S|23 25E|2|none|Africa/Gaborone|
South Africa|Johannesburg|26 12S|28 3E|2|none|Africa/Johannesburg|
South Africa|Cape Town|33 56S|18 25E|2|none|Africa/Johannesburg|fav
South Africa|Durban|29 52S|31 2E|2|none|Africa/Johannesburg|
Zimbabwe|Harare|17 50S|31 3E|2|none|Africa/Harare|
Zambia|Lusaka|15 25S|28 17E|2|none|Africa/Lusaka|
Mozambique|Maputo|25 58S|32 34E|2|none|Africa/Maputo|
Sudan|Khartoum|15 30N|32 34E|2|none|Africa/Khartoum|
Ethiopia|Addis Ababa|9 2N|38 44E|3|none|Africa/Addis_Ababa|
Uganda|Kampala|0 19N|32 35E|3|none|Africa/Kampala|
Kenya|Nairobi|1 17S|36 49E|3|none|Africa/Nairobi|
Kenya|Mombasa|4 3S|39 40E|3|none|Africa/Nairobi|
Tanzania|Arusha|3 22S|36 41E|3|none|Africa/Dar_es_Salaam|
Tanzania|Dar es Salaam|6 49S|39 17E|3|none|Africa/Dar_es_Salaam|
Madagascar|Antananarivo|18 55S|47 31E|3|none|Indian/Antananarivo|
Seychelles|Victoria|4 37S|55 27E|4|none|Indian/Mahe|
Mauritius|Port Louis|20 10S|57 30E|4|none|Indian/Mauritius|
Réunion|Saint-Denis|20 53S|55 27E|4|none|Indian/Reunion|
Saint Helena|Jamestown|15 55S|5 43W|0|none|Atlantic/St_Helena|
Israel|Jerusalem|31 47N|35 14E|2|israel|Asia/Jerusalem|
Lebanon|Beirut|33 53N|35 31E|2|lebanon|Asia/Beirut|
Jordan|Amman|31 57N|35 56E|3|none|Asia/Amman|
Syria|Damascus|33 31N|36 18E|3|none|Asia/Damascus|
Iraq|Baghdad|33 19N|44 22E|3|none|Asia/Baghdad|
Saudi Arabia|Riyadh|24 38N|46 43E|3|none|Asia/Riyadh|
Saudi Arabia|Jeddah|21 33N|39 10E|3|none|Asia/Riyadh|
Qatar|Doha|25 17N|51 32E|3|none|Asia/Qatar|
Iran|Tehran|35 41N|51 23E|3.5|none|Asia/Tehran|
United Arab Emirates|Dubai|25 16N|55 18E|4|none|Asia/Dubai|
Oman|Muscat|23 35N|58 24E|4|none|Asia/Muscat|
Georgia|Tbilisi|41 43N|44 48E|4|none|Asia/Tbilisi|
Armenia|Yerevan|40 11N|44 31E|4|none|Asia/Yerevan|
Azerbaijan|Baku|40 25N|49 52E|4|none|Asia/Baku|
Russia|Samara|53 12N|50 9E|4|none|Europe/Samara|
Afghanistan|Kabul|34 32N|69 11E|4.5|none|Asia/Kabul|
Pakistan|Karachi|24 52N|67 1E|5|none|Asia/Karachi|
Pakistan|Islamabad|33 41N|73 3E|5|none|Asia/Karachi|
Uzbekistan|Tashkent|41 18N|69 15E|5|none|Asia/Tashkent|
Tajikistan|Dushanbe|38 34N|68 47E|5|none|Asia/Dushanbe|
Turkmenistan|Ashgabat|37 58N|58 20E|5|none|Asia/Ashgabat|
Kazakhstan|Almaty|43 13N|76 51E|5|none|Asia/Almaty|
Kazakhstan|Astana|51 10N|71 26E|5|none|Asia/Almaty|
Russia|Yekaterinburg|56 50N|60 36E|5|none|Asia/Yekaterinburg|
Maldives|Malé|4 11N|73 31E|5|none|Indian/Maldives|
India|New Delhi|28 37N|77 13E|5.5|none|Asia/Kolkata|
India|Mumbai|19 5N|72 53E|5.5|none|Asia/Kolkata|
India|Kolkata|22 34N|88 22E|5.5|none|Asia/Kolkata|
India|Chennai|13 5N|80 16E|5.5|none|Asia/Kolkata|
India - Andamans|Port Blair|11 40N|92 44E|5.5|none|Asia/Kolkata|
Sri Lanka|Colombo|6 56N|79 51E|5.5|none|Asia/Colombo|
Nepal|Kathmandu|27 43N|85 19E|5.75|none|Asia/Kathmandu|
Bangladesh|Dhaka|23 46N|90 23E|6|none|Asia/Dhaka|
Bhutan|Thimphu|27 28N|89 38E|6|none|Asia/Thimphu|
Kyrgyzstan|Bishkek|42 52N|74 37E|6|none|Asia/Bishkek|
Russia|Omsk|54 59N|73 22E|6|none|Asia/Omsk|
Myanmar|Yangon|16 48N|96 10E|6.5|none|Asia/Yangon|
Thailand|Bangkok|13 45N|100 30E|7|none|Asia/Bangkok|
Thailand|Phuket|7 53N|98 24E|7|none|Asia/Bangkok|
Vietnam|Hanoi|21 2N|105 51E|7|none|Asia/Ho_Chi_Minh|
Vietnam|Ho Chi Minh City|10 47N|106 42E|7|none|Asia/Ho_Chi_Minh|
Cambodia|Phnom Penh|11 34N|104 55E|7|none|Asia/Phnom_Penh|
Laos|Vientiane|17 58N|102 36E|7|none|Asia/Vientiane|
Indonesia|Jakarta|6 12S|106 50E|7|none|Asia/Jakarta|
Mongolia|Khovd|48 0N|91 39E|7|none|Asia/Hovd|
Russia|Novosibirsk|55 1N|82 56E|7|none|Asia/Novosibirsk|
Malaysia|Kuala Lumpur|3 9N|101 42E|8|none|Asia/Kuala_Lumpur|
Singapore|Singapore|1 17N|103 51E|8|none|Asia/Singapore|
Indonesia - Bali|Denpasar|8 39S|115 13E|8|none|Asia/Makassar|
Philippines|Manila|14 36N|120 59E|8|none|Asia/Manila|
China|Beijing|39 54N|116 24E|8|none|Asia/Shanghai|
China|Shanghai|31 14N|121 28E|8|none|Asia/Shanghai|
China|Ürümqi|43 50N|87 37E|8|none|Asia/Shanghai|
China|Lhasa|29 39N|91 7E|8|none|Asia/Shanghai|
Hong Kong|Hong Kong|22 17N|114 10E|8|none|Asia/Hong_Kong|
Taiwan|Taipei|25 2N|121 34E|8|none|Asia/Taipei|
Mongolia|Ulaanbaatar|47 54N|106 53E|8|none|Asia/Ulaanbaatar|
Japan|Tokyo|35 41N|139 42E|9|none|Asia/Tokyo|
Japan|Sapporo|43 4N|141 21E|9|none|Asia/Tokyo|
Japan - Okinawa|Naha|26 13N|127 41E|9|none|Asia/Tokyo|
South Korea|Seoul|37 34N|126 59E|9|none|Asia/Seoul|
North Korea|Pyongyang|39 1N|125 44E|9|none|Asia/Pyongyang|
Timor-Leste|Dili|8 33S|125 34E|9|none|Asia/Dili|
Indonesia - Papua|Jayapura|2 32S|140 43E|9|none|Asia/Jayapura|
Palau|Koror|7 21N|134 29E|9|none|Pacific/Palau|
Russia|Yakutsk|62 2N|129 44E|9|none|Asia/Yakutsk|
Russia|Vladivostok|43 7N|131 53E|10|none|Asia/Vladivostok|
Russia|Magadan|59 34N|150 48E|11|none|Asia/Magadan|
Russia - Kamchatka|Petropavlovsk|53 1N|158 39E|12|none|Asia/Kamchatka|
Guam|Hagåtña|13 29N|144 45E|10|none|Pacific/Guam|
Micronesia|Palikir|6 55N|158 10E|11|none|Pacific/Pohnpei|
Australia - NSW|Sydney|33 52S|151 13E|10|au|Australia/Sydney|fav
Australia - NSW|Nelson Bay|32 43S|152 9E|10|au|Australia/Sydney|
Australia - NSW|Lord Howe Island|31 33S|159 5E|10.5|none|Australia/Lord_Howe|
Australia - VIC|Melbourne|37 49S|144 58E|10|au|Australia/Melbourne|
Australia - TAS|Hobart|42 53S|147 20E|10|au|Australia/Hobart|
Australia - ACT|Canberra|35 17S|149 8E|10|au|Australia/Sydney|
Australia - SA|Adelaide|34 56S|138 36E|9.5|au|Australia/Adelaide|
Australia - NT|Darwin|12 28S|130 51E|9.5|none|Australia/Darwin|
Australia - NT|Alice Springs|23 42S|133 53E|9.5|none|Australia/Darwin|
Australia - QLD|Brisbane|27 28S|153 2E|10|none|Australia/Brisbane|
Australia - QLD|Cairns|16 55S|145 46E|10|none|Australia/Brisbane|
Australia - WA|Perth|31 57S|115 52E|8|none|Australia/Perth|
Australia - WA|Broome|17 58S|122 14E|8|none|Australia/Perth|
Australia - WA|Eucla|31 41S|128 53E|8.75|none|Australia/Eucla|
Norfolk Island|Kingston|29 3S|167 58E|11|au|Pacific/Norfolk|
Papua New Guinea|Port Moresby|9 29S|147 9E|10|none|Pacific/Port_Moresby|
Solomon Islands|Honiara|9 26S|159 57E|11|none|Pacific/Guadalcanal|
Vanuatu|Port Vila|17 44S|168 19E|11|none|Pacific/Efate|
New Caledonia|Nouméa|22 17S|166 27E|11|none|Pacific/Noumea|
Fiji|Suva|18 9S|178 26E|12|none|Pacific/Fiji|
Kiribati|Tarawa|1 20N|172 59E|12|none|Pacific/Tarawa|
Marshall Islands|Majuro|7 5N|171 23E|12|none|Pacific/Majuro|
Tuvalu|Funafuti|8 31S|179 12E|12|none|Pacific/Funafuti|
Nauru|Yaren|0 33S|166 55E|12|none|Pacific/Nauru|
Wallis and Futuna|Mata-Utu|13 17S|176 11W|12|none|Pacific/Wallis|
New Zealand|Auckland|36 51S|174 46E|12|nz|Pacific/Auckland|fav
New Zealand|Wellington|41 17S|174 47E|12|nz|Pacific/Auckland|
New Zealand|Christchurch|43 32S|172 38E|12|nz|Pacific/Auckland|
New Zealand|Taupo|38 41S|176 5E|12|nz|Pacific/Auckland|
New Zealand|Queenstown|45 2S|168 40E|12|nz|Pacific/Auckland|
New Zealand|Paihia|35 17S|174 5E|12|nz|Pacific/Auckland|
Antarctica|McMurdo Station|77 51S|166 40E|12|nz|Antarctica/McMurdo|
Antarctica|South Pole|90 0S|0 0E|12|nz|Antarctica/McMurdo|
Antarctica|Casey|66 17S|110 32E|8|none|Antarctica/Casey|
Antarctica|Rothera|67 34S|68 8W|-3|none|Antarctica/Rothera|
Antarctica|Vostok|78 28S|106 50E|5|none|Antarctica/Vostok|
"""

# The three places of the golden month tables must stay exactly these records.
GOLDEN = [
    "1USA - Massachusetts  Boston           + 42 21- 71  4-   51022103021111",
    "1New Zealand          Christchurch     - 43 32+172 38+  121025109031104",
    "1Pakistan             Karachi          + 24 52+ 67  1+   50",
]


def angle(text, positive, negative, max_degrees):
    value, hemisphere = text[:-1].split(), text[-1]
    degrees, minutes = int(value[0]), int(value[1])
    assert hemisphere in (positive, negative), text
    assert 0 <= degrees <= max_degrees and 0 <= minutes <= 59, text
    assert degrees * 60 + minutes <= max_degrees * 60, text
    sign = "-" if hemisphere == negative else "+"
    return f"{sign}{degrees:>3}{minutes:>3}"


def record(line):
    country, town, latitude, longitude, zone, rule, _, favourite = line.split("|")
    assert 0 < len(country) <= 21 and 0 < len(town) <= 16, line
    hours = float(zone)
    assert -12 <= hours <= 12 and (hours * 4).is_integer(), line
    zone_digits = zone.lstrip("+-")
    assert len(zone_digits) <= 4, line
    rules = RULES[rule]
    text = "0" if favourite == "fav" else "1"
    text += country.ljust(21) + town.ljust(17)
    text += angle(latitude, "N", "S", 90) + angle(longitude, "E", "W", 180)
    text += ("-" if hours < 0 else "+") + zone_digits.rjust(4)
    text += "1" + rules[0] + rules[1] if rules else "0"
    assert len(text) == (71 if rules else 59), line
    return text


def rule_date(rule, year):
    week, weekday, month = int(rule[2]), int(rule[3]), int(rule[4:6])
    step = 1 if week <= 4 else -1
    day = (datetime.date(year, month, 7 * week - 6) if week <= 4
           else datetime.date(year, month, calendar.monthrange(year, month)[1]))
    while day.isoweekday() % 7 + 1 != weekday:
        day += datetime.timedelta(step)
    return day


def offsets_differing(line, first_year, last_year):
    """Days on which the table's clock at local noon differs from the tz database's.

    The table reads the whole start day on the advanced clock and, from 04:00, the end day
    on standard time, so noon of the start day counts as saving time and noon of the end
    day as standard time: a rule that names the wrong day is caught on its change days too.
    """
    from zoneinfo import ZoneInfo
    text = record(line)
    tz = ZoneInfo(line.split("|")[6])
    zone = float(line.split("|")[4])
    south = text[39] == "-" or text[40:46] == "  0  0"
    rules = (text[59:65], text[65:71]) if len(text) == 71 else None
    differing = []
    day = datetime.date(first_year, 1, 1)
    while day.year <= last_year:
        ours = zone
        if rules:
            if not south:
                start, end = rule_date(rules[0], day.year), rule_date(rules[1], day.year)
            else:
                end = rule_date(rules[1], day.year)
                start = rule_date(rules[0], day.year - 1)
                if day > end:
                    start, end = rule_date(rules[0], day.year), rule_date(rules[1], day.year + 1)
            ours += 1 if start <= day < end else 0
        noon = datetime.datetime(day.year, day.month, day.day, 12, tzinfo=tz)
        if noon.utcoffset().total_seconds() / 3600 != ours:
            differing.append(day)
        day += datetime.timedelta(1)
    return differing


def derived_rules(program, zone_id):
    """quintrel-table's zone columns for a zone: {"north"|"south": (zone, flag, start, end, note)}."""
    output = subprocess.run([program, "--zone-rule", zone_id], check=True, capture_output=True,
                            text=True).stdout
    derived = {}
    for out_line in output.splitlines():
        side, zone, flag, start, end, *note = out_line.split(" ")
        derived[side] = (zone, flag, start, end, " ".join(note))
    return derived


def check(lines, program):
    """Compares every place with the rule quintrel-table derives for its IANA zone, and its
    clock day by day over the same ten years; returns the number of places that differ
    from a rule the record could hold."""
    this_year = datetime.date.today().year
    wrong = 0
    cache = {}
    for line in lines:
        country, town, _, _, zone, _, zone_id, _ = line.split("|")
        text = record(line)
        side = "south" if text[39] == "-" or text[40:46] == "  0  0" else "north"
        if zone_id not in cache:
            cache[zone_id] = derived_rules(program, zone_id)
        d_zone, d_flag, d_start, d_end, note = cache[zone_id][side]
        ours = (text[53] + text[54:58].strip(), text[58], text[59:65] or "-", text[65:71] or "-")
        days = offsets_differing(line, this_year, this_year + 9)
        summary = f"{len(days)} days differ" + (f", first {days[0]}" if days else "")
        if note:
            print(f"{town} ({country}, {zone_id}): not expressible: {note} "
                  f"The record's approximation: {summary}.")
        elif ours != (d_zone, d_flag, d_start, d_end):
            wrong += 1
            print(f"{town} ({country}, {zone_id}): record {' '.join(ours)}, "
                  f"derived {d_zone} {d_flag} {d_start} {d_end}; {summary}")
        elif days:
            wrong += 1
            print(f"{town} ({country}, {zone_id}): rule as derived, yet {summary}")
    return wrong


def main():
    root = pathlib.Path(__file__).resolve().parent.parent
    args = sys.argv[1:]
    program = str(root / "build" / "release" / "bin" / "quintrel-table")
    if "--table" in args:
        program = args.pop(args.index("--table") + 1)
        args.remove("--table")
    checking = "--check" in args
    args = [a for a in args if a != "--check"]
    out = pathlib.Path(args[0]) if args else root / "data" / "locs.dat"
    lines = [line for line in PLACES.strip().splitlines() if line.strip()]
    records = [record(line) for line in lines]
    if checking:
        wrong = check(lines, program)
        if wrong:
            sys.exit(f"{wrong} places differ from a rule their record could hold")
    for golden in GOLDEN:
        assert golden in records, golden
    keys = [(r[1:22], r[22:39]) for r in records]
    assert len(set(keys)) == len(keys), "a place is listed twice"
    # Byte order of the Windows-1252 text is the order the program keeps the list in.
    encoded = sorted(r.encode("cp1252") for r in records)
    out.write_bytes(b"".join(r + b"\r\n" for r in encoded))
    print(f"{out}: {len(encoded)} places, {sum(r[0:1] == b'0' for r in encoded)} favourites")


if __name__ == "__main__":
    main()
