#pragma once
// The body of a rating service request (application/x-www-form-urlencoded)
// and the hand-built JSON id list of the batch rating request.
#include <string>
#include <string_view>
#include <vector>

// Letters, digits and "*-._" as they are, a space as "+", everything else as
// the "%XX" (upper-case) of each of its UTF-8 bytes.
std::string EncodeFormText(std::wstring_view text);

// Each field split at its first "=", name and value encoded apart and joined
// again with "="; a field without "=" encoded whole; fields joined with "&".
std::string EncodeFormBody(const std::vector<std::wstring>& fields);

// "[" then, for each id, the id in double quotes followed by a comma, with the
// last comma replaced by "]". Ids go in as they are, without escaping: the
// service expects exactly this text. No ids give "[]".
std::wstring PlugIdsJson(const std::vector<std::wstring>& ids);
