// Writes the tide stations of the npm package @neaps/tide-database that the world tide file
// keeps, as tab-separated text for tcd-build (tools/tcd_build.cpp), which writes the TCD
// file through libtcd.
//
// Kept: tide stations (no current stations) that have their own harmonic constants or
// predict through a kept reference station, accepted by the database's quality check,
// whose licence allows commercial use. Left out: the NOAA stations that xtide-data
// already holds (matched by station number) and TICON-4's copies of them (see inXtide),
// so that no station is listed twice.
//
// Usage: node extract.mjs PACKAGE_DIR XTIDE_IDS OUTPUT
//   PACKAGE_DIR: the installed package (.../node_modules/@neaps/tide-database)
//   XTIDE_IDS: "context<TAB>id" lines of xtide-data's tide stations (tcd-build --ids)
//
// Output lines (fields separated by tabs, in this order):
//   R  index id_context id name latitude longitude :tz country datum datum_offset source
//      licence notes                                   a reference station, followed by
//   C  name amplitude phase                            one line per constituent (metres,
//                                                      degrees, Greenwich phase lag)
//   S  index id_context id name latitude longitude :tz country datum source licence
//      notes reference_index high_minutes low_minutes height_kind high low
//                                                      a subordinate station
// Every line is written from sorted input, so the same package gives the same bytes.
import { readFileSync, writeFileSync } from "node:fs";
import { join } from "node:path";
import { pathToFileURL } from "node:url";

const [packageDir, idsPath, outPath] = process.argv.slice(2);
if (!packageDir || !idsPath || !outPath) {
  console.error("usage: node extract.mjs PACKAGE_DIR XTIDE_IDS OUTPUT");
  process.exit(2);
}
const main = JSON.parse(readFileSync(join(packageDir, "package.json"), "utf8")).main;
const { stations, allStations } = await import(pathToFileURL(join(packageDir, main)).href);

const xtideNoaa = new Set(
  readFileSync(idsPath, "utf8")
    .split("\n")
    .filter((line) => line.startsWith("NOS\t"))
    .map((line) => line.split("\t")[1]),
);

// The database's constituent names that differ from the names in xtide-data's table (the
// table the world file copies its yearly arguments and node factors from). SA_KV, S1_KV
// and OQ2_KV are Kartverket's labels for Sa, S1 and OQ2.
const ALIASES = new Map(
  Object.entries({
    LAMBDA2: "LDA2",
    LAM2: "LDA2",
    EP2: "EPS2",
    SGM: "SIG1",
    SIGMA1: "SIG1",
    RHO: "RHO1",
    THETA1: "THE1",
    SA_KV: "SA",
    S1_KV: "S1",
    OQ2_KV: "OQ2",
    "2MS8": "2(MS)8",
    "2MN8": "2(MN)8",
    M2KS2: "M2(KS)2",
    "2SNMK2": "2SN(MK)2",
    "2KMSN2": "2KM(SN)2",
    "2MLNS6": "2MNLS6",
  }),
);
// TICON-4's M1 is not NOAA's: at 133 gauges where both publish constants its phase differs
// from NOAA's by 112 degrees (median), where every other constituent agrees within a few
// degrees. Read with the M1 of xtide-data's table it would be wrong by up to twice its
// amplitude; left out, by its amplitude (median 0.4 cm, at most 7 cm). Only NOAA's M1 is kept.
const canonical = (name) => {
  const upper = name.toUpperCase();
  return ALIASES.get(upper) ?? upper;
};

const DATUMS = new Map(
  Object.entries({
    MLLW: "Mean Lower Low Water",
    LAT: "Lowest Astronomical Tide",
    MSL: "Mean Sea Level",
    MLWS: "Mean Low Water Springs",
    LLWLT: "Lower Low Water, Large Tide",
    NLLW: "Nearly Lowest Low Water",
    CD: "Chart Datum",
    STND: "Station Datum",
  }),
);

const SOURCES = new Map(
  Object.entries({
    noaa: "NOS",
    ticon: "TICON-4",
    kartverket: "Kartverket",
  }),
);

// libtcd keeps zone names of at most 29 bytes with the leading ":" (xtide-data's form).
// The two longer ones that stations use: Buenos Aires by its older, shorter name;
// Rio Gallegos, without daylight saving since 2009, by its fixed offset.
const SHORT_ZONES = new Map(
  Object.entries({
    "America/Argentina/Buenos_Aires": "America/Buenos_Aires",
    "America/Argentina/Rio_Gallegos": "Etc/GMT+3",
  }),
);
function zoneOf(station) {
  const zone = ":" + (SHORT_ZONES.get(station.timezone) ?? station.timezone);
  if (zone.length > 29) {
    throw new Error(`${station.id}: zone name ${zone} too long for libtcd; add it to SHORT_ZONES`);
  }
  return zone;
}

const clean = (text) => String(text ?? "").replace(/[\t\r\n]+/g, " ").trim();
const num = (x) => (Math.round(x * 1e7) / 1e7).toString();

function splitId(station) {
  const slash = station.id.indexOf("/");
  const prefix = station.id.slice(0, slash);
  const context = SOURCES.get(prefix) ?? prefix;
  // NOAA stations keep their bare station number, as in xtide-data; the others the
  // database's own id.
  const id = prefix === "noaa" ? station.id.slice(slash + 1) : station.id;
  return [context, id];
}

function displayName(station) {
  const parts = [clean(station.name)];
  for (const extra of [station.region, station.country]) {
    const text = clean(extra);
    if (text && !parts.includes(text)) {
      parts.push(text);
    }
  }
  let name = parts.join(", ");
  // libtcd keeps names of at most 89 bytes.
  while (Buffer.byteLength(name) > 89) {
    name = name.slice(0, -1);
  }
  return name;
}

function datumOf(station) {
  const code = station.chart_datum;
  const datums = station.datums ?? {};
  if (code && code in datums && "MSL" in datums) {
    return [DATUMS.get(code) ?? code, datums.MSL - datums[code]];
  }
  return ["Mean Sea Level", 0];
}

// TICON-4 also holds NOAA's own gauges, re-analysed from the records that UHSLC and NOAA
// relay: those naming an xtide-data station's number in their id, and those from UHSLC or
// NOAA ("da_sat") within 2 km of an xtide-data station, are the same gauge and left out.
const xtideGauges = allStations.filter((s) => s.id.startsWith("noaa/") && s.kind === "tide" && xtideNoaa.has(s.id.slice(5)));
const kilometres = (a, b) =>
  Math.hypot(a.latitude - b.latitude, (a.longitude - b.longitude) * Math.cos((a.latitude * Math.PI) / 180)) * 111.2;
function inXtide(s) {
  if (s.id.startsWith("noaa/")) {
    return xtideNoaa.has(s.id.slice(5));
  }
  const number = s.id.match(/-(\d{7})-usa-/);
  if (number && xtideNoaa.has(number[1])) {
    return true;
  }
  return /-usa-(uhslc_fd|uhslc_rq|da_sat)$/.test(s.id) && xtideGauges.some((g) => kilometres(s, g) < 2);
}

const byId = new Map(stations.map((s) => [s.id, s]));
const wanted = (s) => s.kind === "tide" && s.license?.commercial_use === true && !inXtide(s);

const references = stations
  .filter((s) => wanted(s) && s.type === "reference" && (s.harmonic_constituents ?? []).length > 0)
  .sort((a, b) => (a.id < b.id ? -1 : a.id > b.id ? 1 : 0));
const index = new Map(references.map((s, i) => [s.id, i]));
const subordinates = stations
  .filter((s) => wanted(s) && s.type === "subordinate" && index.has(s.offsets?.reference))
  .sort((a, b) => (a.id < b.id ? -1 : a.id > b.id ? 1 : 0));

const skipped = {};
const count = (why) => (skipped[why] = (skipped[why] ?? 0) + 1);
for (const s of stations) {
  if (s.kind !== "tide") count("current station");
  else if (s.license?.commercial_use !== true) count("licence forbids commercial use");
  else if (inXtide(s)) count(s.id.startsWith("noaa/") ? "already in xtide-data" : "xtide-data's gauge in TICON-4");
  else if (s.type === "reference" && !(s.harmonic_constituents ?? []).length) count("no harmonic constants");
  else if (s.type === "subordinate" && !index.has(s.offsets?.reference)) {
    // A subordinate station predicts through a reference in the same file; xtide-data's
    // newer NOAA subordinates whose reference only xtide-data holds cannot be listed.
    const reference = s.offsets?.reference ?? "";
    count(reference.startsWith("noaa/") && xtideNoaa.has(reference.slice(5)) ? "subordinate of an xtide-data station" : "reference not kept");
  }
}

const lines = [];
const common = (s, i) => {
  const [context, id] = splitId(s);
  return [i, context, id, displayName(s), num(s.latitude), num(s.longitude), zoneOf(s), clean(s.country)];
};
const licence = (s) => clean(s.license.type === "public domain" ? "Public domain" : s.license.type.toUpperCase());
const notes = (s) => clean(s.attribution);
references.forEach((s, i) => {
  const [datum, offset] = datumOf(s);
  lines.push(["R", ...common(s, i), datum, num(offset), clean(s.source.name), licence(s), notes(s)].join("\t"));
  const constituents = s.harmonic_constituents
    .filter((c) => c.amplitude > 0 && !(canonical(c.name) === "M1" && !s.id.startsWith("noaa/")))
    .map((c) => [canonical(c.name), c.amplitude, c.phase])
    .sort((a, b) => (a[0] < b[0] ? -1 : a[0] > b[0] ? 1 : 0));
  for (const [name, amplitude, phase] of constituents) {
    lines.push(["C", name, num(amplitude), num(((phase % 360) + 360) % 360)].join("\t"));
  }
});
subordinates.forEach((s, i) => {
  const [datum] = datumOf(byId.get(s.offsets.reference));
  const o = s.offsets;
  lines.push(
    [
      "S",
      ...common(s, references.length + i),
      datum,
      clean(s.source.name),
      licence(s),
      notes(s),
      index.get(o.reference),
      Math.round(o.time.high),
      Math.round(o.time.low),
      o.height.type,
      num(o.height.high),
      num(o.height.low),
    ].join("\t"),
  );
});
writeFileSync(outPath, lines.join("\n") + "\n");
console.error(
  `kept ${references.length} reference and ${subordinates.length} subordinate stations; left out: ` +
    Object.entries(skipped)
      .map(([why, n]) => `${n} ${why}`)
      .join(", "),
);
