// Thrown by the drawing objects' creating constructors when the platform refuses the object.
#pragma once

#include "core/CException.h"

class CResourceException : public CException {
  DECLARE_DYNAMIC(CResourceException)
 public:
  BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, UINT* pnHelpContext = nullptr) override;
};

[[noreturn]] void AfxThrowResourceException();
