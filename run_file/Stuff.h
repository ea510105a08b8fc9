#pragma once
// The run-file module: everything the load and the save need, in one include.
#include "run_file/ByteSource.h"
#include "run_file/Conversions.h"
#include "run_file/FieldCodec.h"
#include "run_file/FileFingerprint.h"
#include "run_file/Notes.h"
#include "run_file/RunDataScanner.h"
#include "run_file/RunFileLayout.h"
#include "run_file/RunFileState.h"
#include "run_file/SavePlan.h"
#include "run_file/VersionField.h"
#include "run_file/Windows1252.h"
