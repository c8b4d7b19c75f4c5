#pragma once

// The stand-in editor's window, for tests that drive it through messages:
// find it with FindWindowW(kFramewrightWindowClass, kFramewrightWindowTitle),
// reach a control with GetDlgItem(window, id), press a button with BM_CLICK.
inline constexpr wchar_t kFramewrightWindowClass[] = L"TorlaFramewrightStandIn";
inline constexpr wchar_t kFramewrightWindowTitle[] = L"Framewright (stand-in)";

// List box: one full machine document path per item, machine directory first,
// then the preconfigured folders in list order.
inline constexpr int kMachineListId = 1001;
// Button: calls the geometry callback and shows the answer in kGeometryAnswerId.
inline constexpr int kRequestGeometryButtonId = 1002;
// Button: calls the export callback with the selected machine's path (UTF-8).
inline constexpr int kExportButtonId = 1003;
// Button: closes the window; RunFramewright then returns.
inline constexpr int kCloseButtonId = 1004;
// Read-only edit field: the last geometry answer.
inline constexpr int kGeometryAnswerId = 1005;
// Static text: what the last button did.
inline constexpr int kStatusTextId = 1006;
