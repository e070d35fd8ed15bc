#include "trust_test_ca_win.h"

#include <windows.h>
#include <wincrypt.h>

namespace mf::test {

bool TrustTestCa(const std::string& der) {
  HCERTSTORE root = ::CertOpenSystemStoreW(0, L"ROOT");
  if (!root) return false;
  BOOL added = ::CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, reinterpret_cast<const BYTE*>(der.data()),
                                                  static_cast<DWORD>(der.size()), CERT_STORE_ADD_REPLACE_EXISTING,
                                                  nullptr);
  ::CertCloseStore(root, 0);
  return added != FALSE;
}

}  // namespace mf::test
