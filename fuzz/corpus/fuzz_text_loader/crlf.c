int main(void)
{
	return 0;	/* x */
}
