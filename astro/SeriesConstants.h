#pragma once

// The constants the position series and the degree trigonometry were fitted with. Both
// the exact and the fast search compute with these very values: a more precise full
// circle or obliquity would shift results in the last digits.

namespace quintrel::mRiseSet {

inline constexpr double kFullCircle = 6.283185307;
inline constexpr double kArcSecondsPerRadian = 206264.8062;
inline constexpr double kArcSecondsPerCircle = 1296000;
inline constexpr double kCosObliquity = 0.91748;
inline constexpr double kSinObliquity = 0.39778;
inline constexpr double kDegreesToRadians = 0.0174532925199433;

}  // namespace quintrel::mRiseSet
