// Replaced by the RTF reader and writer.
