#include "base/Registry.h"

#include <algorithm>

#include "base/AppError.h"

namespace brisander {

RegValue DwordValue(uint32_t bits) {
  return {kRegDword,
          {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
           static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)}};
}

RegValue StringValue(const std::string& text, uint32_t type) {
  RegValue value{type, std::vector<uint8_t>(text.begin(), text.end())};
  value.data.push_back(0);
  return value;
}

uint32_t DwordBits(const std::vector<uint8_t>& data) {
  uint32_t bits = 0;
  for (size_t i = 0; i < data.size() && i < sizeof bits; ++i) bits |= uint32_t{data[i]} << (8 * i);
  return bits;
}

bool TRegistry::OpenKey(const std::string& path, bool canCreate) {
  key_ = backend_.Open(path, canCreate);
  return key_ != nullptr;
}

bool TRegistry::ValueExists(const std::string& name) {
  return key_ && key_->Query(name).has_value();
}

uint32_t TRegistry::GetDataType(const std::string& name) {
  auto value = key_ ? key_->Query(name) : std::nullopt;
  return value ? value->type : kRegNone;
}

std::string TRegistry::ReadString(const std::string& name) {
  auto value = key_ ? key_->Query(name) : std::nullopt;
  if (!value) return {};
  if (value->type != kRegSz && value->type != kRegExpandSz)
    throw AppError(FormatPattern(kInvalidDataTypeMessage, name));
  const auto& data = value->data;
  auto end = std::find(data.begin(), data.end(), uint8_t{0});
  return std::string(data.begin(), end);
}

int32_t TRegistry::ReadInteger(const std::string& name) {
  auto value = key_ ? key_->Query(name) : std::nullopt;
  if (!value) throw AppError(FormatPattern(kReadFailedMessage, name));
  if (value->data.size() > sizeof(int32_t)) throw AppError(FormatPattern(kReadFailedMessage, name));
  if (value->type != kRegDword) throw AppError(FormatPattern(kInvalidDataTypeMessage, name));
  return static_cast<int32_t>(DwordBits(value->data));
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  Write(name, StringValue(value, kRegSz));
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  Write(name, StringValue(value, kRegExpandSz));
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  Write(name, DwordValue(static_cast<uint32_t>(value)));
}

void TRegistry::Write(const std::string& name, const RegValue& value) {
  if (!key_ || !key_->Set(name, value)) throw AppError(FormatPattern(kWriteFailedMessage, name));
}

}  // namespace brisander
