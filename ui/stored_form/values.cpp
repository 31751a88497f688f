#include "ui/stored_form/values.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "runtime/system/codepage.h"
#include "ui/stored_form/format.h"

namespace mivello::stored_form {
namespace {

// The 2-byte values of a rectangle, unsigned.
std::uint32_t RectangleValue(std::int32_t v) {
  if (v < 0 || v > 0xFFFF) throw std::invalid_argument("rectangle value out of range: " + std::to_string(v));
  return static_cast<std::uint32_t>(v);
}

}  // namespace

void AppendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

Guid IdentifierOf(std::span<const std::uint8_t> bytes) {
  Guid id;
  id.data1 = LittleEndian(bytes.subspan(0, 4));
  id.data2 = static_cast<std::uint16_t>(LittleEndian(bytes.subspan(4, 2)));
  id.data3 = static_cast<std::uint16_t>(LittleEndian(bytes.subspan(6, 2)));
  std::copy(bytes.begin() + 8, bytes.begin() + 16, id.data4.begin());
  return id;
}

std::string IdentifierText(const Guid& g) {
  char buffer[40];
  std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", g.data1, g.data2,
                g.data3, g.data4[0], g.data4[1], g.data4[2], g.data4[3], g.data4[4], g.data4[5], g.data4[6],
                g.data4[7]);
  return buffer;
}

std::optional<Value> Decode(ValueKind kind, std::span<const std::uint8_t> bytes) {
  const auto u16 = [&](std::size_t at) { return LittleEndian(bytes.subspan(at, 2)); };
  switch (kind) {
    case ValueKind::Text: {
      std::optional<String> text = FromCodePage936(bytes.subspan(2, bytes.size() - 3));
      if (!text) return std::nullopt;
      return Value(std::move(*text));
    }
    case ValueKind::Colour:
      return Value(std::optional<Colour>(Colour{bytes[0], bytes[1], bytes[2]}));
    case ValueKind::SmallInteger:
      return Value(std::optional<std::int16_t>(static_cast<std::int16_t>(u16(0))));
    case ValueKind::Byte:
      return Value(bytes[0]);
    case ValueKind::Rectangle:
      return Value(TwipsRect{static_cast<std::int32_t>(u16(0)), static_cast<std::int32_t>(u16(2)),
                             static_cast<std::int32_t>(u16(4)), static_cast<std::int32_t>(u16(6))});
    case ValueKind::ClientRectangle: {
      TwipsRect r;
      std::int32_t* values[] = {&r.left, &r.top, &r.width, &r.height};
      for (std::size_t i = 0; i < 4; ++i)
        *values[i] = static_cast<std::int32_t>(LittleEndian(bytes.subspan(4 * i, 4)));
      return Value(r);
    }
    case ValueKind::Picture: {
      const auto data = bytes.subspan(12);
      return Value(std::vector<std::uint8_t>(data.begin(), data.end()));
    }
    case ValueKind::FourBytes:
      return Value(std::array<std::uint8_t, 4>{bytes[0], bytes[1], bytes[2], bytes[3]});
    default:
      return std::nullopt;
  }
}

void Encode(ValueKind kind, const Value& value, std::vector<std::uint8_t>& out) {
  switch (kind) {
    case ValueKind::Text: {
      const String& text = std::get<String>(value);
      const auto bytes = ToCodePage936(text);
      if (!bytes) throw std::invalid_argument("text without a code page 936 encoding: " + ToUtf8(text));
      if (bytes->size() > 0xFFFF) throw std::invalid_argument("text over 65535 bytes: " + ToUtf8(text));
      AppendLittleEndian(out, static_cast<std::uint32_t>(bytes->size()), 2);
      out.insert(out.end(), bytes->begin(), bytes->end());
      out.push_back(0);
      return;
    }
    case ValueKind::Colour: {
      const Colour c = std::get<std::optional<Colour>>(value).value_or(Colour{});
      out.insert(out.end(), {c.red, c.green, c.blue, std::uint8_t{0}});
      return;
    }
    case ValueKind::SmallInteger:
      // Signed in the model, its two bytes as they are.
      AppendLittleEndian(
          out, static_cast<std::uint16_t>(std::get<std::optional<std::int16_t>>(value).value_or(0)), 2);
      return;
    case ValueKind::Byte:
      out.push_back(std::get<std::uint8_t>(value));
      return;
    case ValueKind::Rectangle:
    case ValueKind::ClientRectangle: {
      const TwipsRect& r = std::get<TwipsRect>(value);
      for (std::int32_t v : {r.left, r.top, r.width, r.height}) {
        if (kind == ValueKind::Rectangle)
          AppendLittleEndian(out, RectangleValue(v), 2);
        else
          AppendLittleEndian(out, static_cast<std::uint32_t>(v), 4);
      }
      return;
    }
    case ValueKind::Picture: {
      const auto& data = std::get<std::vector<std::uint8_t>>(value);
      if (data.size() > 0xFFFFFFFFu - 8) throw std::invalid_argument("picture over 4 GB");
      AppendLittleEndian(out, static_cast<std::uint32_t>(data.size() + 8), 4);
      out.insert(out.end(), std::begin(format::kPictureTag), std::end(format::kPictureTag));
      AppendLittleEndian(out, static_cast<std::uint32_t>(data.size()), 4);
      out.insert(out.end(), data.begin(), data.end());
      return;
    }
    case ValueKind::FourBytes: {
      const auto& bytes = std::get<std::array<std::uint8_t, 4>>(value);
      out.insert(out.end(), bytes.begin(), bytes.end());
      return;
    }
    default:
      throw std::invalid_argument("not a property value");
  }
}

bool AtDefault(const Value& value) {
  return std::visit([](const auto& v) { return v == std::remove_cvref_t<decltype(v)>{}; }, value);
}

}  // namespace mivello::stored_form
