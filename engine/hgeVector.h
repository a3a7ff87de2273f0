// Two-component float vector for positions, speeds and sizes.
#pragma once

struct hgeVector {
  float x, y;

  hgeVector() = default;  // leaves both components unset
  constexpr hgeVector(float ax, float ay) : x(ax), y(ay) {}

  hgeVector operator+(const hgeVector& o) const { return {x + o.x, y + o.y}; }
  hgeVector operator-(const hgeVector& o) const { return {x - o.x, y - o.y}; }
  hgeVector operator-() const { return {-x, -y}; }
  hgeVector operator*(float s) const { return {x * s, y * s}; }
  hgeVector operator/(float s) const { return {x / s, y / s}; }
  hgeVector& operator+=(const hgeVector& o) { x += o.x; y += o.y; return *this; }
  hgeVector& operator-=(const hgeVector& o) { x -= o.x; y -= o.y; return *this; }
  hgeVector& operator*=(float s) { x *= s; y *= s; return *this; }
  bool operator==(const hgeVector& o) const { return x == o.x && y == o.y; }
  bool operator!=(const hgeVector& o) const { return !(*this == o); }
};
