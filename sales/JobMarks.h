// The three state marks of a job (handed over, finished, cancelled) and their undo, decided from the job's
// state as the database holds it when the command starts.
#pragma once

enum class TJobMark { HandedOver, Finished, Cancelled };

// Asks (caption "Otázka") and sets the mark, or takes it back when the job already has it. True when the
// job's state changed; a job gone or moved out of the range meanwhile changes nothing.
bool MarkJob(int cInt, TJobMark mark);
