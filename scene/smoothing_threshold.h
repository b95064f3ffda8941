// The smoothing test compares arccos(dot) with the smoothing angle. arccos is
// monotone, so "arccos(d) < t" holds exactly for the float dot products d at
// or above one critical value; finding that value once per object replaces an
// arccos per neighbouring face pair with one comparison, with identical results.
#pragma once

// The angle in radians of a smoothing angle in degrees, rounded as single floats.
float SmoothingRadians(float facetDegrees);

// The angle between two unit normals with dot product `d`, clamped into
// [-1, 1] so that rounding never drops two coplanar faces from each other.
float SmoothingAngle(float d);

// The smallest float d with SmoothingAngle(d) < t, or +infinity when no d passes.
float SmoothingMinimumDot(float t);
