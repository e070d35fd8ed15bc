#pragma once
// Trusting the HTTPS test server's CA inside the current Wine prefix only.
#include <string>

namespace mf::test {

// Adds the CA (DER bytes) to the prefix's "ROOT" store. False when the store refuses.
bool TrustTestCa(const std::string& der);

}  // namespace mf::test
