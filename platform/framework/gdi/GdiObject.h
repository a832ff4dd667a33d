// CGdiObject: a framework object owning a drawing-object handle. Handles met without an
// owner (the previous object SelectObject gives back, stock objects) get a temporary wrapper
// of the right class that never deletes the handle.
#pragma once

#include <windows.h>

#include "core/CObject.h"

class CGdiObject : public CObject {
  DECLARE_DYNAMIC(CGdiObject)
 public:
  CGdiObject() = default;
  ~CGdiObject() override;

  HGDIOBJ m_hObject = nullptr;

  operator HGDIOBJ() const { return m_hObject; }  // NOLINT
  HGDIOBJ GetSafeHandle() const { return m_hObject; }
  BOOL Attach(HGDIOBJ hObject);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  BOOL CreateStockObject(int nIndex);

  // The object owning the handle, or a temporary wrapper (NULL for a NULL or invalid handle).
  static CGdiObject* FromHandle(HGDIOBJ hObject);
};
