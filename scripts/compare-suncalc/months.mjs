// The same work as `quintrel-table --months N --format csv` through the npm package
// suncalc: for every day of N months from a first month, sunrise and sunset, moonrise and
// moonset and the moon's illumination, one CSV line a day on standard output.
//
//   node months.mjs LATITUDE LONGITUDE FIRST_YEAR MONTHS
// (run through compare.sh, which installs suncalc into a scratch folder first)
import { createRequire } from "node:module";

const require = createRequire(process.env.SUNCALC_MODULES + "/");
const SunCalc = require("suncalc");

const [latitude, longitude] = [Number(process.argv[2]), Number(process.argv[3])];
const firstYear = Number(process.argv[4]);
const months = Number(process.argv[5]);

const hhmm = (d) =>
  d instanceof Date && !Number.isNaN(d.getTime())
    ? String(d.getUTCHours()).padStart(2, "0") + ":" + String(d.getUTCMinutes()).padStart(2, "0")
    : ":";

const lines = [];
for (let m = 0; m < months; ++m) {
  const year = firstYear + Math.floor(m / 12);
  const month = m % 12;
  const days = new Date(Date.UTC(year, month + 1, 0)).getUTCDate();
  for (let day = 1; day <= days; ++day) {
    const date = new Date(Date.UTC(year, month, day, 12));
    const sun = SunCalc.getTimes(date, latitude, longitude);
    const moon = SunCalc.getMoonTimes(date, latitude, longitude, true);
    const lit = SunCalc.getMoonIllumination(date);
    lines.push(
      `${year}-${month + 1}-${day},${hhmm(sun.sunrise)},${hhmm(sun.sunset)},` +
        `${moon.alwaysUp ? "up" : hhmm(moon.rise)},${moon.alwaysDown ? "down" : hhmm(moon.set)},` +
        `${Math.round(lit.fraction * 100)}`,
    );
  }
  if (lines.length > 4096) {
    process.stdout.write(lines.join("\n") + "\n");
    lines.length = 0;
  }
}
process.stdout.write(lines.join("\n") + "\n");
