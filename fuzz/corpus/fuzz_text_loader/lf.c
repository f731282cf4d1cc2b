line one
	indented

