#pragma once

// The editor's export callback: exports the machine document at the path (UTF-8).
void OnExportMachine(const char* machinePath);
