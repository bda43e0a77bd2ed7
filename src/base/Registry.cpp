#include "base/Registry.h"

#include <algorithm>

#include "base/AppError.h"

namespace brisander {

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
  uint32_t bits = 0;
  for (size_t i = 0; i < value->data.size(); ++i) bits |= uint32_t{value->data[i]} << (8 * i);
  return static_cast<int32_t>(bits);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  RegValue v{kRegSz, std::vector<uint8_t>(value.begin(), value.end())};
  v.data.push_back(0);
  Write(name, v);
}

void TRegistry::WriteExpandString(const std::string& name, const std::string& value) {
  RegValue v{kRegExpandSz, std::vector<uint8_t>(value.begin(), value.end())};
  v.data.push_back(0);
  Write(name, v);
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
  auto bits = static_cast<uint32_t>(value);
  Write(name, RegValue{kRegDword,
                       {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
                        static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)}});
}

void TRegistry::Write(const std::string& name, const RegValue& value) {
  if (!key_ || !key_->Set(name, value)) throw AppError(FormatPattern(kWriteFailedMessage, name));
}

}  // namespace brisander
