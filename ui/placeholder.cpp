// The window library is filled by the editor window; this keeps it non-empty meanwhile.
